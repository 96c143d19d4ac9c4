#include "markup/runtime/vux_stack_menu.h"
#include "markup/model/vux_menu.h"

void vux_stack_menu::on_removed(vux_screen* screen) {
    if (!screen) return;
    if (screen->keep == 1 && screen->type_code() == vux_menu::code) static_cast<vux_menu*>(screen)->selected = 0;
    close_once_shown(screen);
}

vux_element_command* vux_stack_menu::selected_command() const {
    vux_screen* t = top();
    if (!t || t->type_code() != vux_menu::code) return nullptr;
    const vux_menu* m = static_cast<vux_menu*>(t);
    return m->selected < 0 ? nullptr : m->command(m->selected);
}
