#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Opens, closes or clears a screen.
class vux_action_show : public vux_model_record<vux_action_show, vux_type_action_show, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_show"; }
    void fields(vux_field_visitor& v) override;

    int32_t kind = 0;  // 1 windows, 2 dialogs, 3 menus
    int32_t operation = 0;
    vux_string target;  // the screen's name, possibly indirect
};
