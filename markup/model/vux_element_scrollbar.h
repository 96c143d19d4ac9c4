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

    // Offsets set directly (normalised, thumbs recomputed).
    void scroll_to(int32_t y);
    void scroll_bottom_to(int32_t y);
    void set_offset(int32_t y);
    bool to_bottom();
    bool to_top();
    bool can_scroll_down() const;
    bool can_scroll_up() const;
    bool past_first_row() const { return y_offset >= row && content_taller(); }

    // Values for the canvas.
    int32_t draw_offset_y() const;
    bool overscroll_top() const { return y_offset < 0; }
    bool overscroll_bottom() const;
    bool vertical_overflow() const { return vertical && content_taller(); }
    bool horizontal_overflow() const { return horizontal && content_wider(); }
    bool settled() const { return settle == 2; }
    bool moved_since_drag() const;

    // Dragging: the axis is decided by the first move when a paging
    // paragraph is attached (1: its pages, 2: scrolling).
    void start_drag(int32_t x, int32_t y);
    bool beyond_tolerance(int32_t x, int32_t y) const;
    bool drag(int32_t x, int32_t y);
    void end_drag();
    // Once per clock tick: brings a rubber-banded offset back.
    bool settle_step();

    // Keeps the position over a relayout (the first save holds until restored).
    void save(bool keep, bool keep_bottom);
    bool restore();
    void reset_all();

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
    bool dragging = false;
    int32_t drag_axis = 0;
    int32_t drag_start_x = 0;
    int32_t drag_start_y = 0;
    int32_t drag_start_x_offset = 0;
    int32_t drag_start_y_offset = 0;
    bool saved = false;
    int32_t saved_x = 0;
    int32_t saved_y = 0;
    int32_t saved_content_width = 0;
    int32_t saved_content_height = 0;
    bool saved_keep_bottom = false;

private:
    bool step_y(int64_t d);
    bool step_x(int64_t d);
    bool repeat(bool first, bool fast, int32_t sign);
    void clear_thumbs();
    bool drag_axis_offset(int32_t& offset, int32_t& previous, int64_t start, int64_t start_offset, int64_t at,
                          int64_t content, int64_t view);
};
