#pragma once
#include <memory>
#include <vector>
#include "core/vux_point.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_model_record.h"

class vux_action_property;
class vux_element_box_aux;
class vux_element_paragraph;
class vux_layout;
class vux_variables;

// The general block of a paragraph: a rectangle placed in the paragraph's
// rows with margins, ground and border colours, images and a text inside.
class vux_element_box : public vux_model_record<vux_element_box, vux_type_element_box> {
public:
    static constexpr int32_t default_flags = 0x80B;  // wrap, ellipsis, flat, stick
    enum bit : int32_t {
        wrap_bit = 0,
        ellipsis_bit = 1,
        animation_bit = 4,
        ignore_bit = 5,
        static_bit = 7,
        checked_bit = 8,
        overlay_bit = 9,
        password_bit = 10,
        stick_bit = 11,
        mark_bit = 12,
        inside_bit = 13,
        bottom_bit = 14,
        follow_bit = 15,
        fixed_bit = 16,
        float_bit = 17,
        roll_bit = 18,
        indicator_bit = 19,
        note_bit = 20,
        emoticon_bit = 21,
        expand_bit = 22,
        waiter_bit = 23
    };

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
    // "hyperlink", "action" or "press": deletes that link.
    void clear_link(const vux_string& name);
    // The step's pairs and links; its link flag sets the hyperlink's focus bit.
    void apply_property_step(const vux_action_property& step, const vux_variables& environment);
    // Bit 8 from the "keym" variable at "index".
    void update_checked(const vux_variables& environment);

    // Places the box below row y of the paragraph (once per layout pass).
    void measure(vux_layout& layout, int32_t y, vux_element_paragraph* owner);
    // Fits the placed box into its paragraph's rows by "pfit" and reports
    // its rows to the layout unless fixed.
    void fit_rows(vux_layout& layout, int32_t paragraph_top, int32_t paragraph_height);
    bool paint(vux_layout& layout);
    bool hit(vux_layout& layout, const vux_point& p) const;
    bool visible(const vux_layout& layout) const;
    // Placed, not ignored, and its rows meet the view.
    bool in_view(const vux_layout& layout) const;
    bool tick(int32_t ms, int32_t period);
    void reset();

    // Geometry of the placed box (0 when not placed); left and right
    // include the horizontal scroll offset.
    bool placed() const;
    int32_t top_y() const;
    int32_t bottom_y() const;
    int32_t left_x() const;
    int32_t right_x() const;
    void set_scroll_offset(int32_t x);
    // The box's own hyperlink, else the one it inherited ("inside").
    vux_hyperlink* link() const { return hyperlink ? hyperlink.get() : inherited_link; }
    bool all_lines() const { return (line_flags & 15) == 15; }
    // Start index of each shown line (after measure).
    const std::vector<int32_t>& line_starts() const;

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
    vux_hyperlink* inherited_link = nullptr;     // not owned
    vux_element_paragraph* paragraph = nullptr;  // not owned
    std::unique_ptr<vux_element_box_aux> aux;
    int32_t tick_accumulator = 0;
    int32_t frame = 0;
};
