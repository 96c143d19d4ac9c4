#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// Size and style of an icon placed in text.
class vux_icon : public vux_model_record<vux_icon, vux_type_icon> {
public:
    const char* class_name() const override { return "vux_icon"; }
    void fields(vux_field_visitor& v) override;

    // a * numerator / denominator when both are non-zero, else a.
    int32_t scale(int32_t a) const;
    // The placed side for a layout with this line height and line spacing;
    // margin_pixels is the layout's conversion of `margin`. A line height of 0
    // leaves no row to grow into, so growth is not applied then.
    int32_t side(int32_t line_height, int32_t line_spacing, int32_t margin_pixels) const;

    bool bit_0() const { return (flags & 1) != 0; }
    bool bit_1() const { return (flags & 2) != 0; }
    bool bit_2() const { return (flags & 4) != 0; }

    int32_t flags = 0;
    int32_t numerator = 0;
    int32_t denominator = 0;
    int32_t margin = 1;  // layout units
    int32_t growth = 0;  // percent of the row's extra height added to the size
    int32_t reserved = 0;
    vux_string name;
    vux_string alt_name;

    // run-time: placed size and the animation's frame and clock
    int32_t width = 0;
    int32_t height = 0;
    int32_t frame = 0;
    int32_t tick_accumulator = 0;
};
