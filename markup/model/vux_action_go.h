#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sends a go request to the service.
class vux_action_go : public vux_model_record<vux_action_go, vux_type_action_go, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_go"; }
    void fields(vux_field_visitor& v) override;

    int32_t code = 0;  // first int of the request
    int32_t send = 1;  // non-zero: framed and sent on the main channel
    int32_t clear_first = 0;
    vux_string target_1;
    vux_string target_2;
    vux_string_list variables;  // names whose values the request carries
    vux_string upload_name;     // data item whose bytes become the body
    vux_unicode status_text;
};
