#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sets the title of a window.
class vux_action_title : public vux_model_record<vux_action_title, vux_type_action_title, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_title"; }
    void fields(vux_field_visitor& v) override;

    vux_string window;
    vux_unicode text;  // a non-empty text becomes the window's title
};
