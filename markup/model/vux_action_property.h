#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_screen_step.h"

// Sets a property on the client of a window or dialog.
class vux_action_property : public vux_model_record<vux_action_property, vux_type_action_property, vux_screen_step> {
public:
    const char* class_name() const override { return "vux_action_property"; }
    void fields(vux_field_visitor& v) override;
    const char* const* integer_names() const override;

    vux_action_property() {
        value_3 = 1;
        value_4 = 1;
    }

    // The integers after the screen kind.
    int32_t element_kind() const { return value_2; }  // 1104 image, 1107 segment, other box
    bool relayout() const { return value_3 != 0; }
    bool keep() const { return value_4 != 0; }
    bool link_flag() const { return value_5 != 0; }  // sets the hyperlink's focus bit
    int32_t clear_bits() const { return value_6; }   // bit 0 pull-top run flag, bit 1 pull-bottom
    bool reset_links() const { return value_7 != 0; }

    vux_string text_1;
    vux_string text_2;
    vux_string_list names;
    std::unique_ptr<vux_icon> icon;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action_1;
    std::unique_ptr<vux_action> action_2;
};
