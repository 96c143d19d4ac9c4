#include "markup/runtime/vux_stack_dialog.h"
#include "markup/model/vux_dialog.h"

void vux_stack_dialog::push(vux_screen* screen) {
    if (!screen) return;
    if (screen->type_code() == vux_dialog::code && static_cast<vux_dialog*>(screen)->value_5 != 0) {
        vux_stack::push(screen);
        return;
    }
    if (vux_overtime* o = overtime_of(*screen)) o->reset(false);
    screens.insert(screens.begin(), screen);
    changed = 1;
}
