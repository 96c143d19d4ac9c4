#pragma once
#include <memory>
#include "core/vux_point.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup/model/vux_model_record.h"

class vux_action_property;
class vux_element_segment_aux;
class vux_layout;
class vux_variables;

// A run of text flowed into the paragraph's lines, optionally with an icon
// at its marker and a link.
class vux_element_segment : public vux_model_record<vux_element_segment, vux_type_element_segment> {
public:
    enum bit : int32_t {
        rule_bit = 0,
        single_bit = 2,
        ellipsis_bit = 3,
        ignore_bit = 4,
        waiter_bit = 5,
        static_bit = 6,
        mark_bit = 7,
        half_bit = 8,
        hollow_bit = 10,
        long_bit = 12,
        fixed_bit = 14,
        float_bit = 15
    };

    vux_element_segment();
    ~vux_element_segment() override;
    const char* class_name() const override { return "vux_element_segment"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override;
    // The run-time fixed bit is not carried into a copy.
    std::unique_ptr<vux_object> clone() const override;

    // The segment's keywords, then the text's; other names are ignored.
    void set_property(const vux_string& key, const vux_string& value);
    // "icon", "hyperlink" or "action": deletes that link.
    void clear_link(const vux_string& name);
    void apply_property_step(const vux_action_property& step, const vux_variables& environment);

    // Flows the text from the layout's pen (once per layout pass).
    void measure(vux_layout& layout);
    bool paint(vux_layout& layout);
    bool hit(vux_layout& layout, const vux_point& p) const;
    bool in_view(vux_layout& layout) const;
    bool tick(int32_t ms, int32_t period);
    void reset();
    vux_action* triggered_action(const vux_variables& environment) {
        return hyperlink ? hyperlink->trigger(environment) : nullptr;
    }

    // Placement after measure (0 before).
    int32_t start_y() const;
    int32_t last_top() const;
    int32_t end_x() const;
    void set_end_x(int32_t x);

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = 0;
    int32_t align = 1;
    int32_t ground = -1;
    int32_t bright = 0;
    vux_string name;
    vux_element_text text;
    std::unique_ptr<vux_icon> icon;
    std::unique_ptr<vux_hyperlink> hyperlink;
    std::unique_ptr<vux_action> action;
    vux_string_list list;

    // run-time
    std::unique_ptr<vux_element_segment_aux> aux;
};
