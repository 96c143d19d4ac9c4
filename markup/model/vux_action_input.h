#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Asks the user for a text.
class vux_action_input : public vux_model_record<vux_action_input, vux_type_action_input, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_input"; }
    void fields(vux_field_visitor& v) override;

    int32_t state = 0;  // 0 new, 2 completed
    int32_t value_1 = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    vux_string variable;  // receives the typed text
    vux_string text_1;
    vux_unicode text;
    vux_unicode result;
};
