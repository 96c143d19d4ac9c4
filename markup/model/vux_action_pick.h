#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Moves the selection of an option.
class vux_action_pick : public vux_model_record<vux_action_pick, vux_type_action_pick, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_pick"; }
    void fields(vux_field_visitor& v) override;

    int32_t wrap = 1;
    int32_t backward = 0;
    int32_t whole_option = 0;
    vux_string option;  // the option record it moves
};
