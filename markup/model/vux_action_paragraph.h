#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_screen_step.h"

// Sets paragraphs on the client of a window or dialog.
class vux_action_paragraph : public vux_model_record<vux_action_paragraph, vux_type_action_paragraph, vux_screen_step> {
public:
    const char* class_name() const override { return "vux_action_paragraph"; }
    void fields(vux_field_visitor& v) override;

    vux_string_list names;
    vux_object_list paragraphs;  // element items
};
