#pragma once
#include "markup/runtime/vux_stack.h"

// The stack of dialogs. Only an on-top dialog comes to the front: any other
// goes in at the bottom, so a dialog the user is answering stays in front.
class vux_stack_dialog : public vux_stack {
public:
    void push(vux_screen* screen) override;
    void on_removed(vux_screen* screen) override { close_once_shown(screen); }
};
