#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_model_record.h"

// A tick counter that fires an action when it reaches its limit.
class vux_overtime : public vux_model_record<vux_overtime, vux_type_overtime> {
public:
    const char* class_name() const override { return "vux_overtime"; }
    void fields(vux_field_visitor& v) override;

    // Counts one tick; true when the limit is reached. Never fires when
    // stopped or when the limit is 0 or less.
    bool tick();
    // Restarts the count when forced or when the overtime repeats.
    void reset(bool force);
    // Ticks left before it fires.
    int32_t remaining() const { return counter < limit ? limit - counter : 0; }

    int32_t kind = 4;
    int32_t limit = 0;
    int32_t value_a = 0;
    int32_t value_b = 0;
    int32_t repeat = 1;
    vux_string name;
    vux_string title;
    vux_action action;
    vux_string_list extras;

    // run-time
    int32_t counter = 0;
    uint8_t stopped = 0;
};
