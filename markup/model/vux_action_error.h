#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Shows an error dialog with its message.
class vux_action_error : public vux_model_record<vux_action_error, vux_type_action_error, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_error"; }
    void fields(vux_field_visitor& v) override;

    int32_t flag = 0;
    vux_unicode message;  // an empty message does nothing
};
