#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Calls a function or reads a data item as a document.
class vux_action_invoke : public vux_model_record<vux_action_invoke, vux_type_action_invoke, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_invoke"; }
    void fields(vux_field_visitor& v) override;

    int32_t mode = 0;
    vux_string target;
};
