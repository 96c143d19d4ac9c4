#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_model_record.h"

class vux_element_box_aux;
class vux_element_paragraph;

// The general block of a paragraph: a rectangle placed in the paragraph's
// rows with margins, ground and border colours, images and a text inside.
class vux_element_box : public vux_model_record<vux_element_box, vux_type_element_box> {
public:
    static constexpr int32_t default_flags = 0x80B;  // wrap, ellipsis, flat, stick
    static constexpr int32_t checked_bit = 8;
    static constexpr int32_t fixed_bit = 16;

    vux_element_box();
    ~vux_element_box() override;
    const char* class_name() const override { return "vux_element_box"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override;
    // Run-time bits (checked, fixed) are not carried into a copy.
    std::unique_ptr<vux_object> clone() const override;

    // Style keywords and the text's; "auto" sets the hyperlink action's third
    // header integer. Unknown names are ignored.
    void set_property(const vux_string& key, const vux_string& value);

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }
    void clear_run_time_bits() {
        set_flag(checked_bit, false);
        set_flag(fixed_bit, false);
    }

    int32_t flags = default_flags;
    int32_t line_flags = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t top_rows = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t height_rows = 0;
    int32_t margin_left = 0;
    int32_t margin_top = 0;
    int32_t margin_right = 0;
    int32_t margin_bottom = 0;
    int32_t ground = -1;
    int32_t ground_s = -1;
    int32_t ground_f = -1;
    int32_t ground_t = -1;
    int32_t ground_corner = 0;
    int32_t border = -1;
    int32_t border_s = -1;
    int32_t border_f = -1;
    int32_t border_corner = 0;
    int32_t border_indent = 0;
    int32_t align = 0;
    int32_t breadth = 0;
    int32_t text_left = 0;
    int32_t text_top = 0;
    int32_t text_right = 0;
    int32_t text_bottom = 0;
    int32_t text_align = 1;
    int32_t text_valign = 2;
    int32_t text_interval = 4;
    int32_t gap = 0;
    int32_t index = 0;
    int32_t tile = 0;
    int32_t fit = 0;
    int32_t colour_a = -1;
    int32_t triangle = 0;
    vux_string name;
    vux_string key_mark;
    vux_string image;
    vux_string image_s;
    vux_string image_f;
    vux_string image_a;
    vux_element_text text;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action;
    std::unique_ptr<vux_action> press;
    vux_string_list list;

    // run-time
    vux_hyperlink* inherited_link = nullptr;  // not owned
    vux_element_paragraph* paragraph = nullptr;  // not owned
    std::unique_ptr<vux_element_box_aux> aux;
    int32_t tick_accumulator = 0;
    int32_t frame = 0;
    int32_t emoticon_skip = 0;
    int32_t line_value = 0;
};
