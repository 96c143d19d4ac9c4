#pragma once
#include <cstdint>
#include "core/vux_rect.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

class vux_layout;
class vux_element_paragraph;

// The scroll state of a client: content and view sizes measured by the
// layout, the offsets, key and drag scrolling and the thumbs the canvas draws.
class vux_element_scrollbar : public vux_model_record<vux_element_scrollbar, vux_type_element_scrollbar> {
public:
    const char* class_name() const override { return "vux_element_scrollbar"; }
    void fields(vux_field_visitor& v) override;

    // Visibility tests of the layout's clipping (s is the blit shift).
    bool is_below_view(int32_t v) const;
    bool is_above_view(int32_t v) const;
    bool is_right_of_view(int32_t v) const { return int64_t(v) > int64_t(x_offset) + view_width; }
    bool is_left_of_view(int32_t v) const { return v < x_offset; }

    // After every layout pass.
    void attach(vux_layout& layout);
    bool normalise();
    bool content_taller() const { return content_height > view_height; }
    bool content_wider() const { return content_width > view_width; }

    bool page_down() { return step_y(int64_t(view_height) - row); }
    bool page_up() { return step_y(-(int64_t(view_height) - row)); }
    bool line_down() { return step_y(row); }
    bool line_up() { return step_y(-int64_t(row)); }
    bool line_right() { return step_x(row); }
    bool line_left() { return step_x(-int64_t(row)); }
    bool repeat_down(bool first, bool fast) { return repeat(first, fast, 1); }
    bool repeat_up(bool first, bool fast) { return repeat(first, fast, -1); }
    // The step of the repeat that brought the count to `step_count`.
    int32_t repeat_step(bool fast) const;

    // Thumb of a track: empty when the track or the content leaves none.
    static vux_rect thumb(const vux_rect& track, int32_t content, int32_t view, int32_t offset, bool vertical);
    const vux_rect& thumb_vertical();
    const vux_rect& thumb_horizontal();

    // serialised
    int32_t vertical = 1;
    int32_t horizontal = 0;
    int32_t track_size = 0;
    int32_t header_lock = 0;
    int32_t elastic = 1;
    vux_string_list extras;

    // run-time
    int32_t previous_x = 0;
    int32_t previous_y = 0;
    int32_t step_count = 0;
    int32_t blit_shift = 0;
    int32_t drag_tolerance = 0;
    int32_t max_steps = 1;
    bool anchored = false;
    bool drag_blocked = false;
    vux_rect track_h, track_v, thumb_h, thumb_v;
    int32_t row = 0;
    int32_t half_row = 0;
    int32_t x_offset = 0;
    int32_t y_offset = 0;
    int32_t content_width = 0;
    int32_t content_height = 0;
    int32_t view_width = 0;
    int32_t view_height = 0;
    int32_t settle = 2;
    vux_element_paragraph* paging = nullptr;  // not owned

private:
    bool step_y(int64_t d);
    bool step_x(int64_t d);
    bool repeat(bool first, bool fast, int32_t sign);
    void clear_thumbs();
};
