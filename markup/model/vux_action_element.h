#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_screen_step.h"

// Sets elements on the client of a window or dialog.
class vux_action_element : public vux_model_record<vux_action_element, vux_type_action_element, vux_screen_step> {
public:
    const char* class_name() const override { return "vux_action_element"; }
    void fields(vux_field_visitor& v) override;

    vux_string text_1;
    vux_object_list elements;  // segments, boxes and images
};
