#pragma once
#include <memory>
#include "core/vux_point.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_layout_rect.h"
#include "markup/model/vux_model_record.h"

class vux_action_property;
class vux_element_image_aux;
class vux_layout;
class vux_variables;

// A picture placed in the paragraph's rows, alone or in a group grid, with
// a label below or beside it.
class vux_element_image : public vux_model_record<vux_element_image, vux_type_element_image> {
public:
    enum bit : int32_t {
        follow_bit = 1,
        animation_bit = 3,
        ignore_bit = 4,
        static_bit = 6,
        mark_bit = 7,
        fixed_bit = 8,
        float_bit = 9
    };

    vux_element_image();
    ~vux_element_image() override;
    const char* class_name() const override { return "vux_element_image"; }
    void fields(vux_field_visitor& v) override;
    // The run-time fixed bit is not carried into a copy.
    std::unique_ptr<vux_object> clone() const override;

    // The image's keywords, then the label's; other names are ignored.
    void set_property(const vux_string& key, const vux_string& value);
    // "hyperlink" or "action": deletes that link.
    void clear_link(const vux_string& name);
    void apply_property_step(const vux_action_property& step, const vux_variables& environment);
    // The nudge from the "keym" variable at "index": 1 raised, 2 not.
    void update_raised(const vux_variables& environment);

    // Takes the image's rows (or its grid cell) below the pen, once per pass.
    void measure(vux_layout& layout);
    bool paint(vux_layout& layout);
    // The label in its own row below the picture, after the paragraph's paint.
    bool paint_label(vux_layout& layout);
    bool hit(vux_layout& layout, const vux_point& p) const;
    bool in_view(vux_layout& layout) const;
    bool tick(int32_t ms, int32_t period);
    void reset();
    vux_action* triggered_action(const vux_variables& environment) {
        return hyperlink ? hyperlink->trigger(environment) : nullptr;
    }

    // Placement after measure (empty before).
    vux_layout_rect picture_rect(vux_layout& layout) const;
    vux_layout_rect label_rect(vux_layout& layout) const;
    int32_t start_y() const;
    int32_t rows() const;

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = 0;
    int32_t align = 1;
    int32_t label_align = 1;
    int32_t vertical_nudge = 2;
    int32_t width = 0;
    int32_t height = 0;
    int32_t outer = -1;
    int32_t inner = -1;
    int32_t count = 0;
    int32_t position = 0;
    int32_t interval = 0;
    int32_t gap = 0;
    int32_t index = 0;
    vux_string name;
    vux_string key_mark;
    vux_string primary;
    vux_string secondary;
    vux_element_text text;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action;
    vux_string_list list;

    // run-time
    int32_t frame = 0;
    int32_t tick_accumulator = 0;
    std::unique_ptr<vux_element_image_aux> aux;
};
