#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_model_record.h"

// The client area of a window or dialog: its paragraphs, the actions of
// pulling past either end, and the scroll bar. Copied only by its owner.
class vux_element_client : public vux_model_record<vux_element_client, vux_type_element_client> {
public:
    const char* class_name() const override { return "vux_element_client"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    vux_element_paragraph* paragraph(int32_t i) const { return paragraphs.get_as<vux_element_paragraph>(i); }

    int32_t flags = 8;
    int32_t font_size = 3;
    int32_t last_row_colour = 2;
    int32_t value_4 = 1;
    int32_t row_style = 0;
    int32_t maximum_paragraphs = 32;
    vux_string string_1;
    vux_string string_2;
    vux_object_list paragraphs;
    std::unique_ptr<vux_action> default_action;
    std::unique_ptr<vux_action> pull_top;
    std::unique_ptr<vux_action> pull_bottom;
    std::unique_ptr<vux_element_scrollbar> scroll_bar;
    vux_string_list pending_names;
    vux_string_list list_2;
};
