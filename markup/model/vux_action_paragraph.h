#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sets paragraphs on the client of a window or dialog.
class vux_action_paragraph : public vux_model_record<vux_action_paragraph, vux_type_action_paragraph, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_paragraph"; }
    void fields(vux_field_visitor& v) override;

    int32_t screen_kind = 0;  // 1: a window, other: a dialog
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    int32_t value_4 = 0;
    int32_t value_5 = 0;
    int32_t value_6 = 0;
    int32_t value_7 = 0;
    vux_string screen;
    vux_string_list names;
    vux_object_list paragraphs;  // element items
};
