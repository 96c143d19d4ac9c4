#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"
#include "core/vux_point.h"
#include "core/vux_rect.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "markup/model/vux_layout_point.h"
#include "markup/model/vux_layout_rect.h"

class vux_action;
class vux_element_box;
class vux_hyperlink;
class vux_element_image;
class vux_element_scrollbar;
class vux_element_segment;
class vux_record;
class vux_variables;

// The placement record of one client area. While the client lays out its
// paragraphs every placed element (segment, box or image) is appended to
// `items` and the pen advances line by line; afterwards the layout answers
// the clip, anchor and mapping questions of painting and hit-testing.
//
// Measuring and drawing (slots 7-40) are abstract: the runtime implements
// them on the canvas. Drawing positions are screen points; every other
// coordinate here is a 32-bit layout coordinate (a long client passes the
// 16-bit range).
class vux_layout : public vux_object {
public:
    vux_layout() = default;
    ~vux_layout() override;

    // --- measuring (slots 7-15) ---
    virtual int32_t char_width(char16_t unit) = 0;
    virtual int32_t font_height() = 0;
    // At a '[' naming an emoticon: the marker's length, bracket to bracket; else 0.
    virtual int32_t emoticon_marker(int32_t index, const vux_unicode& text) = 0;
    // At "[[[d" with d in 0..2: out = d, result 4; else 0.
    virtual int32_t style_marker(int32_t index, const vux_unicode& text, int32_t& out) = 0;
    virtual int32_t line_height() = 0;
    virtual int32_t line_spacing() = 0;
    virtual int32_t screen_width() = 0;
    virtual int32_t screen_height() = 0;
    virtual int32_t item_gap() = 0;

    // --- drawing (slots 16-31); text is `length` units from `text` ---
    virtual void draw_segment_text(const vux_element_segment& segment, const vux_point& pos, int32_t width,
                                   const char16_t* text, int32_t length) = 0;
    virtual void draw_segment_line(const vux_element_segment& segment, const vux_point& pos, int32_t width) = 0;
    virtual void draw_segment_link(const vux_element_segment& segment, const vux_point& pos) = 0;
    // One run of a box's text line. The call that opens a line gives the
    // line's measured width (and no text when the line opens with an
    // emoticon); the runs that follow an emoticon give 0.
    virtual void draw_box_text(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height,
                               const char16_t* text, int32_t length) = 0;
    // The emoticon the last emoticon_marker matched, centred in the cell.
    virtual void draw_emoticon(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) = 0;
    virtual void draw_indicator(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) = 0;
    virtual void draw_box_background(const vux_element_box& box, const vux_point& pos, int32_t width,
                                     int32_t height) = 0;
    virtual void draw_box_frame(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) = 0;
    virtual void draw_box_border(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) = 0;
    virtual void draw_text_block(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) = 0;
    virtual void draw_image(const vux_element_image& image, const vux_point& pos) = 0;
    virtual void draw_image_text(const vux_element_image& image, const vux_point& pos) = 0;
    virtual void fill_rect(const vux_point& pos, int32_t width, int32_t height, int32_t colour) = 0;
    virtual void draw_box(const vux_point& pos, int32_t width, int32_t height, int32_t style_1, int32_t style_2,
                          int32_t style_3, int32_t style_4) = 0;
    virtual void draw_frame_line(const vux_point& pos, int32_t width, bool a, bool b, bool c) = 0;
    virtual void draw_page_control(int32_t mode, const vux_rect& rect, int32_t control) = 0;

    // --- text and environment services (slots 32-38) ---
    virtual const vux_unicode& ellipsis_text() = 0;
    virtual int32_t ellipsis_width() = 0;
    virtual void assign_variable(const vux_string& name, const vux_string& value) = 0;
    virtual void remove_variable(const vux_string& name) = 0;
    // Design units to pixels.
    virtual int32_t scale(int32_t units) = 0;
    virtual bool is_touch_screen() = 0;
    virtual void select_font(int32_t size_class, int32_t style) = 0;

    // --- box drawing without a canvas slot of its own (39-40) ---
    virtual void draw_box_image(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) = 0;
    // direction: 1 left, 2 top, 3 right, 4 bottom.
    virtual void draw_triangle(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height,
                               int32_t direction) = 0;

    // --- placement ---
    // Line height plus twice the line spacing.
    int32_t row_height();
    void new_line(bool tight);
    void finish_line();
    void update_line_segments();
    void note_content_top(int32_t y);
    void note_content_bottom(int32_t y);
    void note_content_right(int32_t x);
    void mark_scroll_origin();
    void set_scaled_margins(int32_t a, int32_t b);
    void set_user_value(int32_t v) { user_value = v; }
    void set_mode(int32_t size, int32_t font_style);
    void save_mode();
    void restore_mode();
    void reset_mode() { set_mode(3, 0); }
    // Appends a placed element (not owned) to the item and line lists.
    void add_item(vux_record* element);
    // Drops the item references (the client owns the elements).
    void clear_items();

    // --- clip and anchor tests (a y, or an x, with no_clip and anchored) ---
    bool is_below_view(int32_t y, bool no_clip, bool anchored) const;
    bool is_above_view(int32_t y, bool no_clip, bool anchored) const;
    bool is_right_of_view(int32_t x, bool no_clip, bool anchored) const;
    bool is_left_of_view(int32_t x, bool no_clip, bool anchored) const;
    bool is_row_visible(int32_t y) const;
    bool fits_view() const;
    bool anchor_outside_view(bool anchored) const;
    bool within_reach(int32_t y) const;
    bool past_anchor_bottom(int32_t y) const;
    // Whether y lies in the fixed band at the top of the layout.
    bool in_header_band(int32_t y) const { return y < band_bottom; }
    vux_point to_screen(const vux_layout_point& p, bool no_scroll, bool anchored) const;
    // The inverse of to_screen, for hit tests of screen points.
    vux_layout_point from_screen(const vux_point& p, bool no_scroll, bool anchored) const;

    // --- row drawing (skipped when the row is clipped). no_clip and
    // anchored are the paragraph's fixed and pinned flags, which the clip
    // tests and the screen mapping take as its children do. ---
    void draw_row_frame(int32_t y, bool no_clip, bool anchored, bool a, bool b, bool c);
    void draw_row_box(int32_t y, int32_t h, bool no_clip, bool anchored, int32_t inset, int32_t s1, int32_t s2,
                      int32_t s3, int32_t s4);
    void draw_row_fill(int32_t y, int32_t h, bool no_clip, bool anchored, int32_t colour);

    // --- interaction over the items (vux_layout_focus.cpp). An item without
    // a hyperlink takes neither focus nor press; indices outside the list
    // answer false, -1 or null. ---
    // The item placed last under the point, with a hyperlink or without (a
    // box may still have a press action of its own).
    int32_t hit_test(const vux_point& p);
    int32_t find_focused_item() const;
    int32_t find_pressed_item() const;
    bool is_item_pressed(int32_t i) const;
    bool set_item_pressed(int32_t i, bool on);
    void release_all_pressed();
    bool release_item(int32_t i);
    bool count_down_press(int32_t i, bool zero);
    // The item's hyperlink, null for an index outside the list.
    vux_hyperlink* link_at(int32_t i) const;
    vux_action* find_pressed_target() const;
    // The focused item's first target, or with `second` its own action.
    vux_action* focused_item_target(bool second);
    void set_focus(int32_t i, bool on);
    void clear_focus();
    void restore_focus();
    bool focus_down();
    bool focus_up();
    bool focus_right();
    bool focus_left();
    bool page_forward(int32_t i);
    bool page_back(int32_t i);
    bool focus_vertical(bool down);
    bool focus_sideways(bool right);
    // Per-item geometry, answered by the element's type.
    int32_t item_top(int32_t i);
    int32_t item_bottom(int32_t i);
    int32_t item_left(int32_t i);
    bool item_in_view(int32_t i);

    // --- marks ---
    void remember_mark(const vux_string& paragraph, const vux_string& element, bool first);
    void clear_marks();
    void publish_marks(vux_variables& environment) const;

    // Fields, in order.
    int32_t size_class = 3;
    int32_t saved_size_class = 3;
    int32_t style = 0;
    int32_t saved_style = 0;
    int32_t content_top = -1;
    int32_t band_bottom = 0;  // bottom of the fixed band at the top
    int32_t anchor_y = -1;
    int32_t content_bottom = -1;
    int32_t content_right = -1;
    uint8_t copy_allowed = 0;
    uint8_t anchoring = 0;
    uint8_t centring = 0;
    int32_t indent = 0;
    int32_t margin_a = 0;
    int32_t margin_b = 0;
    int32_t row_top = 0;  // current row
    int32_t row_bottom = 0;
    int32_t user_value = 0;
    int32_t reach_limit = 0;
    vux_layout_point pen;
    vux_element_scrollbar* scroll_bar = nullptr;  // not owned
    vux_layout_rect area;
    vux_layout_rect view;
    std::vector<vux_record*> items;       // not owned
    std::vector<vux_record*> line_items;  // not owned
    int32_t focus_index = -1;
    int32_t scroll_top_mark = -1;  // -1 none
    int32_t scroll_bottom_mark = -1;
    int32_t draw_pass = 0;
    vux_string mark_paragraph_2;
    vux_string mark_paragraph_1;
    vux_string mark_element_2;
    vux_string mark_element_1;
    int32_t running_bottom = 0;  // where "follow" measures from, set by "bottom"
};
