#pragma once
#include "markup/runtime/vux_stack.h"

// The stack of windows; the top one fills the screen.
class vux_stack_window : public vux_stack {
public:
    void on_removed(vux_screen* screen) override { close_once_shown(screen); }
    // Pops while the top window is not named so; true when any went.
    bool pop_until_named(const vux_string& name);
};
