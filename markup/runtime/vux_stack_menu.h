#pragma once
#include "markup/runtime/vux_stack.h"

class vux_element_command;

// The stack of menus; a kept menu opens again on its first item.
class vux_stack_menu : public vux_stack {
public:
    void on_removed(vux_screen* screen) override;
    // The top menu's command at its selection; null when none is selected.
    vux_element_command* selected_command() const;
};
