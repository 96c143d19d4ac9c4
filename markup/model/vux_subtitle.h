#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// A ticker text that scrolls across a view. The canvas measures the
// characters into `widths`; the rest of the run-time state follows from them.
class vux_subtitle : public vux_model_record<vux_subtitle, vux_type_subtitle> {
public:
    const char* class_name() const override { return "vux_subtitle"; }
    void fields(vux_field_visitor& v) override;

    int64_t total_width() const;
    // Finds the characters visible in a view of width w; false when nothing
    // has scrolled in yet or nothing is visible.
    bool place(int32_t w);
    // True once the text has scrolled out past two thirds of the view.
    bool scrolled_out(int32_t w) const;
    // Scrolls on by the distance; false when it has finished. A text whose
    // widths are not measured yet never finishes.
    bool step(int32_t distance, int32_t w);

    int32_t priority = 0;  // queue order: higher first
    int32_t repeat = 0;    // non-zero: a stopped subtitle is rewound and kept
    int32_t third_value = 0;
    vux_unicode text;
    vux_string_list extras;

    // run-time
    int32_t scrolled = 0;
    int32_t offset = 0;  // x of the first visible character (<= 0)
    int32_t visible_count = 0;
    int32_t first_visible = 0;
    vux_integer_list widths;
};
