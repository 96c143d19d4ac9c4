#pragma once
#include <memory>
#include "core/vux_rect.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_placed_item.h"

// A softkey or menu item: a label, the action it runs and the guard that
// decides whether it is shown.
class vux_variables;

class vux_element_command : public vux_model_record<vux_element_command, vux_type_element_command>,
                            public vux_placed_item {
public:
    const char* class_name() const override { return "vux_element_command"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override;
    const vux_rect& placed_rect() const override { return rect; }

    // A command labelled with the UTF-8 label whose action closes the screen
    // (one 'command' step with code 24).
    static std::unique_ptr<vux_element_command> make_close_command(const vux_string& label);
    bool is_close_command() const;
    // Clears the rectangle and hides the command when its guard fails;
    // true when shown.
    bool refresh(const vux_variables& environment);
    bool condition_holds(const vux_variables& environment) const;
    // One step of the action's countdown while it is above 0 and the guard
    // holds; the action when it reaches 0, else null.
    vux_action* count_down(const vux_variables& environment);
    // The menu an unguarded command's action opens, when that is all it does.
    bool show_target(vux_string& out) const;

    int32_t enabled = 0;
    vux_string name;
    vux_string icon;           // string 2
    vux_string badge;          // string 3: the variable `has_command` looks for
    vux_string normal_image;   // 4
    vux_string pressed_image;  // 5
    vux_string focus_image;    // 6
    vux_string string_7;
    vux_string string_8;
    vux_unicode label;
    vux_action action;
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list list;

    // run-time
    uint8_t hidden = 0;
    vux_rect rect;
};
