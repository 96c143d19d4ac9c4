#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_screen_step.h"

// Sets elements on the client of a window or dialog.
class vux_action_element : public vux_model_record<vux_action_element, vux_type_action_element, vux_screen_step> {
public:
    const char* class_name() const override { return "vux_action_element"; }
    void fields(vux_field_visitor& v) override;
    const char* const* integer_names() const override;

    // The integers after the screen kind.
    int32_t mode() const { return value_2; }
    int32_t index() const { return value_3; }
    bool keep() const { return value_4 != 0; }
    bool remove_first() const { return value_5 != 0; }
    int32_t clear_bits() const { return value_6; }  // bit 0 pull-top run flag, bit 1 pull-bottom

    vux_string text_1;
    vux_object_list elements;  // segments, boxes and images
};
