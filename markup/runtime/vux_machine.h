#pragma once
#include <cstdint>
#include "core/vux_object.h"
#include "core/vux_string_list.h"

class vux_manager;

// Input routing and the screen stacks. Until screens exist it only counts
// what it was asked to do, so the runtime's calls can be followed.
class vux_machine : public vux_object {
public:
    void bind(vux_manager* manager) { manager_ = manager; }

    void settle(bool repaint);
    void user_activity() { ++activity_count; }
    void reset();

    // Names of the dialogs on screen, top last.
    vux_string_list dialog_stack;
    int32_t settle_count = 0;
    int32_t repaint_count = 0;
    int32_t activity_count = 0;
    int32_t key_count = 0;
    int32_t pointer_count = 0;
    int32_t reset_count = 0;

private:
    vux_manager* manager_ = nullptr;
};
