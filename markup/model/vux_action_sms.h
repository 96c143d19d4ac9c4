#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Hands a text message to the host.
class vux_action_sms : public vux_model_record<vux_action_sms, vux_type_action_sms, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_sms"; }
    void fields(vux_field_visitor& v) override;

    vux_string number;
    vux_string text_variable;
    vux_unicode text;
};
