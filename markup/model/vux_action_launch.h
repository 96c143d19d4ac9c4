#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Hands a kind and an argument to the host's launch facility.
class vux_action_launch : public vux_model_record<vux_action_launch, vux_type_action_launch, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_launch"; }
    void fields(vux_field_visitor& v) override;

    vux_string kind;  // a word such as "copy"
    vux_string variable;
    vux_string argument;
};
