#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_variables.h"

// The link attributes of an element: a flag word, an optional action with
// its guard, and a press countdown.
class vux_hyperlink : public vux_model_record<vux_hyperlink, vux_type_hyperlink> {
public:
    static constexpr int32_t default_flags = 0x5801;  // bits 0, 11, 12, 14
    static constexpr int32_t pressed_bit = 5;
    static constexpr int32_t focused_bit = 4;

    const char* class_name() const override { return "vux_hyperlink"; }
    void fields(vux_field_visitor& v) override;

    // Bits 0..16 of the flag word; false for any other bit number.
    bool bit(int32_t n) const;
    bool is_pressed() const { return bit(pressed_bit); }
    bool is_focused() const { return bit(focused_bit); }
    bool mode_is_one() const { return mode == 1; }

    void set_bit_7(bool on) { set_bit(7, on); }
    void set_bit_6(bool on) { set_bit(6, on); }
    // Pressing starts the press countdown at 2; releasing clears it.
    void set_pressed(bool on);
    void set_focused(bool on) { set_bit(focused_bit, on); }
    void set_bit_2(bool on) { set_bit(2, on); }

    // With force the countdown ends now (true). Otherwise it counts down and
    // is true when it reaches 0. False unless pressed with a count left.
    bool count_down_press(bool force);
    // When the action has triggers left and the guard holds, one is used;
    // the action is returned when none is left, else null.
    vux_action* trigger(const vux_variables& env);

    int32_t flags = default_flags;
    int32_t mode = 0;
    vux_string target;
    vux_string_list values;
    std::unique_ptr<vux_action> action;
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list extras;

    int32_t press_countdown = 0;  // run-time

private:
    void set_bit(int32_t n, bool on);
};
