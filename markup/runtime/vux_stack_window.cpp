#include "markup/runtime/vux_stack_window.h"

bool vux_stack_window::pop_until_named(const vux_string& name) {
    bool popped = false;
    while (vux_screen* t = top()) {
        if (vux_string_equal(t->name, name)) break;
        pop();
        popped = true;
    }
    return popped;
}
