#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sets the font of a window's client.
class vux_action_font : public vux_model_record<vux_action_font, vux_type_action_font, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_font"; }
    void fields(vux_field_visitor& v) override;

    vux_string window;
    int32_t font = 3;
};
