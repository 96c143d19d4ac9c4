#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

class vux_variables;

// The title of a window, fixed or following an environment variable.
class vux_element_titlebar : public vux_model_record<vux_element_titlebar, vux_type_element_titlebar> {
public:
    const char* class_name() const override { return "vux_element_titlebar"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    bool is_blank() const { return key.empty() && title.empty(); }
    void set_title(const vux_unicode& text);
    void refresh(const vux_variables& environment);

    int32_t value = 2;  // title alignment (2 centred)
    vux_string key;
    vux_string string_2;  // title image
    vux_unicode title;
    vux_string_list list;

    vux_unicode display_cache;  // run-time
};
