#pragma once
// A layout with fixed metrics that logs every drawing and environment slot
// call as one line, for testing elements without a canvas. The shorter
// screen side is 240, so `scale` is the identity.
#include <string>
#include <vector>
#include "markup/model/vux_layout.h"

namespace model_test {

class fake_layout : public vux_layout {
public:
    static constexpr int32_t unit_width = 6;
    static constexpr int32_t height = 16;
    static constexpr int32_t spacing = 2;

    fake_layout(int32_t view_width = 240, int32_t view_height = 320) {
        area = {0, 0, view_width, view_height};
        view = area;
    }

    int32_t char_width(char16_t) override { return unit_width; }
    int32_t font_height() override { return height; }
    int32_t emoticon_marker(int32_t, const vux_unicode&) override { return 0; }
    int32_t style_marker(int32_t, const vux_unicode&, int32_t&) override { return 0; }
    int32_t line_height() override { return height; }
    int32_t line_spacing() override { return spacing; }
    int32_t screen_width() override { return 240; }
    int32_t screen_height() override { return 320; }
    int32_t item_gap() override { return 4; }

    void draw_segment_text(const vux_element_segment&, const vux_point& p, int32_t w, const char16_t* t,
                           int32_t n) override {
        log("segment_text", p, w, 0, text(t, n));
    }
    void draw_segment_line(const vux_element_segment&, const vux_point& p, int32_t w) override {
        log("segment_line", p, w, 0);
    }
    void draw_segment_link(const vux_element_segment&, const vux_point& p) override { log("segment_link", p, 0, 0); }
    void draw_box_text(const vux_element_box&, const vux_point& p, int32_t w, int32_t h, const char16_t* t,
                       int32_t n) override {
        log("box_text", p, w, h, text(t, n));
    }
    void draw_emoticon(const vux_record&, const vux_point& p, int32_t w, int32_t h) override {
        log("emoticon", p, w, h);
    }
    void draw_indicator(const vux_record&, const vux_point& p, int32_t w, int32_t h) override {
        log("indicator", p, w, h);
    }
    void draw_box_background(const vux_element_box&, const vux_point& p, int32_t w, int32_t h) override {
        log("box_background", p, w, h);
    }
    void draw_box_frame(const vux_element_box&, const vux_point& p, int32_t w, int32_t h) override {
        log("box_frame", p, w, h);
    }
    void draw_box_border(const vux_element_box&, const vux_point& p, int32_t w, int32_t h) override {
        log("box_border", p, w, h);
    }
    void draw_text_block(const vux_record&, const vux_point& p, int32_t w, int32_t h) override {
        log("text_block", p, w, h);
    }
    void draw_image(const vux_element_image&, const vux_point& p) override { log("image", p, 0, 0); }
    void draw_image_text(const vux_element_image&, const vux_point& p) override { log("image_text", p, 0, 0); }
    void fill_rect(const vux_point& p, int32_t w, int32_t h, int32_t c) override {
        log("fill", p, w, h, std::to_string(c));
    }
    void draw_box(const vux_point& p, int32_t w, int32_t h, int32_t, int32_t, int32_t, int32_t) override {
        log("row_box", p, w, h);
    }
    void draw_frame_line(const vux_point& p, int32_t w, bool a, bool b, bool c) override {
        log("frame_line", p, w, 0, std::string(a ? "a" : "") + (b ? "b" : "") + (c ? "c" : ""));
    }
    void draw_page_control(int32_t mode, const vux_rect& r, int32_t) override {
        log("page_control", r.tl, r.width(), r.height(), std::to_string(mode));
    }
    const vux_unicode& ellipsis_text() override { return ellipsis_; }
    int32_t ellipsis_width() override { return 3 * unit_width; }
    void assign_variable(const vux_string& name, const vux_string& value) override {
        calls.push_back("assign " + name.str() + "=" + value.str());
    }
    void remove_variable(const vux_string& name) override { calls.push_back("remove " + name.str()); }
    int32_t scale(int32_t units) override { return units; }
    bool is_touch_screen() override { return false; }
    void select_font(int32_t size, int32_t s) override {
        calls.push_back("font " + std::to_string(size) + " " + std::to_string(s));
    }
    void draw_box_image(const vux_element_box&, const vux_point& p, int32_t w, int32_t h) override {
        log("box_image", p, w, h);
    }
    void draw_triangle(const vux_element_box&, const vux_point& p, int32_t w, int32_t h, int32_t d) override {
        log("triangle", p, w, h, std::to_string(d));
    }

    // Only the drawing lines, for comparing paint results.
    std::vector<std::string> draws() const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.rfind("font ", 0) != 0 && c.rfind("assign ", 0) != 0 && c.rfind("remove ", 0) != 0) out.push_back(c);
        return out;
    }

    std::vector<std::string> calls;

private:
    static std::string text(const char16_t* t, int32_t n) {
        std::string s;
        for (int32_t i = 0; i < n; ++i) s += t[i] < 128 ? char(t[i]) : '?';
        return s;
    }
    void log(const char* what, const vux_point& p, int32_t w, int32_t h, const std::string& extra = {}) {
        std::string line = std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                           std::to_string(w) + "x" + std::to_string(h);
        if (!extra.empty()) line += " " + extra;
        calls.push_back(line);
    }
    vux_unicode ellipsis_{std::u16string_view(u"...")};
};

}  // namespace model_test
