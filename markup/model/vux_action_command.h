#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Runs one document command by its code.
class vux_action_command : public vux_model_record<vux_action_command, vux_type_action_command, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_command"; }
    void fields(vux_field_visitor& v) override;

    int32_t command = 0;  // a document command code (24 opens the default menu, ...)
};
