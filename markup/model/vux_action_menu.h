#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Opens a menu with commands of its own.
class vux_action_menu : public vux_model_record<vux_action_menu, vux_type_action_menu, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_menu"; }
    void fields(vux_field_visitor& v) override;

    int32_t mode = 0;
    int32_t index = 0;
    vux_string text_1;
    vux_object_list commands;  // element items
};
