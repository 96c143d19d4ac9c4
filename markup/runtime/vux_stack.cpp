#include "markup/runtime/vux_stack.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"

vux_overtime* vux_stack::overtime_of(vux_screen& screen) {
    switch (screen.type_code()) {
    case vux_window::code: return static_cast<vux_window&>(screen).overtime.get();
    case vux_dialog::code: return static_cast<vux_dialog&>(screen).overtime.get();
    case vux_menu::code: return static_cast<vux_menu&>(screen).overtime.get();
    default: return nullptr;
    }
}

void vux_stack::push(vux_screen* screen) {
    if (!screen) return;
    if (vux_overtime* o = overtime_of(*screen)) o->reset(false);
    screens.push_back(screen);
    changed = 1;
}

int32_t vux_stack::index_of(const vux_screen* screen) const {
    for (size_t i = 0; i < screens.size(); ++i)
        if (screens[i] == screen) return int32_t(i);
    return -1;
}

void vux_stack::pop() {
    if (screens.empty()) return;
    vux_screen* s = screens.back();
    screens.pop_back();
    on_removed(s);
    changed = 1;
}

void vux_stack::pop_n(int32_t n) {
    for (int32_t i = 0; i < n && !screens.empty(); ++i) pop();
}

void vux_stack::pop_all() { pop_n(count()); }

bool vux_stack::remove(vux_screen* screen) {
    const int32_t i = index_of(screen);
    if (i < 0) return false;
    screens.erase(screens.begin() + i);
    on_removed(screen);
    changed = 1;
    return true;
}

bool vux_stack::bring_to_top(vux_screen* screen) {
    const int32_t i = index_of(screen);
    if (i < 0) return false;
    screens.erase(screens.begin() + i);
    screens.push_back(screen);
    changed = 1;
    return true;
}

void vux_stack::reset_overtimes() {
    for (vux_screen* s : screens)
        if (vux_overtime* o = overtime_of(*s)) o->reset(false);
}

bool vux_stack::top_is_named(const vux_string& name) {
    vux_screen* t = top();
    if (!t || !vux_string_equal(t->name, name)) return false;
    changed = 1;
    return true;
}

void vux_stack::close_once_shown(vux_screen* screen) {
    if (screen && screen->keep == 2) screen->keep = 3;
}
