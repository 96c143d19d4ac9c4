#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sets elements on the client of a window or dialog.
class vux_action_element : public vux_model_record<vux_action_element, vux_type_action_element, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_element"; }
    void fields(vux_field_visitor& v) override;

    int32_t screen_kind = 0;  // 1: a window, other: a dialog
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    int32_t value_4 = 0;
    int32_t value_5 = 0;
    int32_t value_6 = 0;
    int32_t value_7 = 0;
    vux_string screen;  // name of the window or dialog
    vux_string text_1;
    vux_object_list elements;  // segments, boxes and images
};
