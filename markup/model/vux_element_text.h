#pragma once
#include <memory>
#include "core/vux_string_list.h"
#include "core/vux_type_codes.h"
#include "core/vux_unicode.h"
#include "markup/model/vux_model_record.h"

class vux_variables;

// The text every displaying element embeds: font, colours, the environment
// key it follows and the shown UTF-16 text. Copied only by its owner.
class vux_element_text : public vux_model_record<vux_element_text, vux_type_element_text> {
public:
    static constexpr char16_t cr = 13;
    static constexpr char16_t lf = 10;
    static constexpr char16_t marker = 0xFFFF;

    const char* class_name() const override { return "vux_element_text"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return nullptr; }

    bool is_cr(int32_t i) const { return unit(i) == cr; }
    bool is_lf(int32_t i) const { return unit(i) == lf; }
    bool is_marker(int32_t i) const { return unit(i) == marker; }
    bool ends_with_ellipsis() const;
    bool is_bar() const { return text.length() == 1 && text.unit_at(0) == u'|'; }
    void ensure_marker(bool at_front);
    void set_key(const vux_string& name) { key = name; }
    void set_text_utf8(const vux_string& value);
    void restore_full_text();
    void drop_full_text() { full_text.reset(); }
    void save_full_text();
    // Follows the environment variable `key`; true when the text changed.
    bool sync(bool masked, const vux_variables& environment);
    // The text keywords ("text", "key", "font", "bold", "color", "colors");
    // false for any other name.
    bool set_property(const vux_string& name, const vux_string& value);

    int32_t font_size = 0;
    int32_t bold = 0;
    int32_t colour = 1;
    int32_t second_colour = -1;
    vux_string key;
    vux_unicode text;
    vux_string_list list;

    // run-time
    std::unique_ptr<vux_unicode> full_text;
    std::unique_ptr<vux_unicode> saved_text;

private:
    char16_t unit(int32_t i) const { return i >= 0 && i < text.length() ? text.unit_at(i) : 0; }
};
