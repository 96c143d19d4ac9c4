#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_screen_step.h"

// Sets paragraphs on the client of a window or dialog.
class vux_action_paragraph : public vux_model_record<vux_action_paragraph, vux_type_action_paragraph, vux_screen_step> {
public:
    const char* class_name() const override { return "vux_action_paragraph"; }
    void fields(vux_field_visitor& v) override;
    const char* const* integer_names() const override;

    // The integers after the screen kind.
    int32_t mode() const { return value_2; }
    int32_t index() const { return value_3; }
    bool keep() const { return value_4 != 0; }
    bool remove_first() const { return value_5 != 0; }
    int32_t clear_bits() const { return value_6; }  // bit 0 pull-top run flag, bit 1 pull-bottom

    vux_string_list names;
    vux_object_list paragraphs;  // element items
};
