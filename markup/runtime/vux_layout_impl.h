#pragma once
#include <cstdint>
#include "markup/model/vux_layout.h"

class vux_canvas;
class vux_hyperlink;

// The one concrete layout: its measuring, drawing and environment slots go
// to the canvas and its metrics. The canvas makes one per client it lays out.
class vux_layout_impl : public vux_layout {
public:
    explicit vux_layout_impl(vux_canvas& canvas) : canvas_(&canvas) {}

    int32_t char_width(char16_t unit) override;
    int32_t font_height() override;
    int32_t emoticon_marker(int32_t index, const vux_unicode& text) override;
    int32_t style_marker(int32_t index, const vux_unicode& text, int32_t& out) override;
    int32_t line_height() override;
    int32_t line_spacing() override;
    int32_t screen_width() override;
    int32_t screen_height() override;
    int32_t item_gap() override;

    void draw_segment_text(const vux_element_segment& segment, const vux_point& pos, int32_t width,
                           const char16_t* text, int32_t length) override;
    void draw_segment_line(const vux_element_segment& segment, const vux_point& pos, int32_t width) override;
    void draw_segment_link(const vux_element_segment& segment, const vux_point& pos) override;
    void draw_box_text(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height,
                       const char16_t* text, int32_t length) override;
    void draw_emoticon(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_indicator(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_box_background(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_box_frame(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_box_border(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_text_block(const vux_record& element, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_image(const vux_element_image& image, const vux_point& pos) override;
    void draw_image_text(const vux_element_image& image, const vux_point& pos) override;
    void fill_rect(const vux_point& pos, int32_t width, int32_t height, int32_t colour) override;
    void draw_box(const vux_point& pos, int32_t width, int32_t height, int32_t style_1, int32_t style_2,
                  int32_t style_3, int32_t style_4) override;
    void draw_frame_line(const vux_point& pos, int32_t width, bool a, bool b, bool c) override;
    void draw_page_control(int32_t mode, const vux_rect& rect, int32_t control) override;

    const vux_unicode& ellipsis_text() override;
    int32_t ellipsis_width() override;
    void assign_variable(const vux_string& name, const vux_string& value) override;
    void remove_variable(const vux_string& name) override;
    int32_t scale(int32_t units) override;
    bool is_touch_screen() override;
    void select_font(int32_t size_class, int32_t style) override;

    void draw_box_image(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height) override;
    void draw_triangle(const vux_element_box& box, const vux_point& pos, int32_t width, int32_t height,
                       int32_t direction) override;

    // Filled on first use; a font selection clears both.
    int32_t cached_line_height = 0;
    int32_t cached_line_spacing = 0;

private:
    // The element's text colour from its colour code.
    uint32_t text_colour(int32_t code) const;
    void draw_link_text(const vux_hyperlink& link, const vux_point& pos, int32_t width, const char16_t* text,
                        int32_t length);
    void underlay(const vux_hyperlink& link, const vux_rect& r, int32_t radius, uint32_t colour);
    void segment_text_at(int32_t x, int32_t y, const char16_t* text, int32_t length, uint32_t colour, bool underline);
    void outline(const vux_element_box& box, const vux_rect& r, int32_t code);

    vux_canvas* canvas_;
};
