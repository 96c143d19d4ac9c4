#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Marks where arriving media go; running it does nothing.
class vux_action_upload : public vux_model_record<vux_action_upload, vux_type_action_upload, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_upload"; }
    void fields(vux_field_visitor& v) override;

    int32_t state = 0;  // 0 pending, 1 taken
    int32_t value_2 = 0;
    vux_string data_name;
    vux_string text_1;
    int32_t value_5 = 0;
};
