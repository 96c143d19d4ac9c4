#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_element_command.h"
#include "markup/model/vux_model_record.h"

class vux_action;
class vux_action_softkey;
class vux_variables;

// The two softkey slots of a window, dialog or menu. Copied only by its owner.
class vux_element_commandbar : public vux_model_record<vux_element_commandbar, vux_type_element_commandbar> {
public:
    const char* class_name() const override { return "vux_element_commandbar"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    // Slot i (0 left, 1 right); any other index reads as the right slot.
    std::unique_ptr<vux_element_command>& default_command(int32_t i) { return i == 0 ? left : right; }
    vux_element_command* shown_command(int32_t i) const { return shown[i == 0 ? 0 : 1].get(); }

    void show_command(int32_t i, const vux_element_command& command);
    void show_default(int32_t i);
    void hide(int32_t i) { shown[i == 0 ? 0 : 1].reset(); }
    void promote_default(int32_t i);
    bool default_show_target(int32_t i, vux_string& out);
    void save(int32_t i, bool replace);
    void restore(int32_t i);
    void apply_softkey_step(const vux_action_softkey& step);
    bool is_empty() const;
    bool slot_visible(int32_t i) const;
    bool left_slot_empty() const { return left_check != 0 && !shown[0]; }
    void drop_close_command();
    void show_close_command(const vux_string& label);
    bool mentions(const vux_string& name) const;
    int32_t count_enabled(const vux_variables& environment) const;
    vux_action* triggered_action(const vux_variables& environment) const;
    // Counts the shown commands' actions down; the first to reach 0 is
    // returned and the others wait for the next call.
    vux_action* count_down(const vux_variables& environment);

    bool press(const vux_point& p);
    bool track(const vux_point& p);
    int32_t pressed_slot_at(const vux_point& p) const;
    void release() {
        pressed_slot = -1;
        pressed_inside = 0;
    }
    bool is_pressed() const { return pressed_slot >= 0; }

    int32_t value_1 = 0;  // 1: the bar hides when no command holds
    int32_t left_check = 0;
    int32_t value_3 = 0;  // touch-hide flag
    vux_string image;
    vux_string focus_image;
    std::unique_ptr<vux_element_command> left;
    std::unique_ptr<vux_element_command> right;
    vux_string_list list;

    // run-time
    int32_t pressed_slot = -1;
    int32_t pressed_inside = 0;
    std::unique_ptr<vux_element_command> shown[2];
    std::unique_ptr<vux_element_command> saved[2];
};
