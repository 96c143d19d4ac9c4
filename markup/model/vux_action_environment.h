#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Assigns or copies variables.
class vux_action_environment
    : public vux_model_record<vux_action_environment, vux_type_action_environment, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_environment"; }
    void fields(vux_field_visitor& v) override;

    int32_t operation = 0;  // 5: copy the named variables into the private store
    vux_string_list names;
};
