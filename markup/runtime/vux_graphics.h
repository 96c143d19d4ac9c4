#pragma once
#include <cstdint>
#include "markup/runtime/vux_host_table.h"

// The host's graphics entries as the engine calls them.
class vux_graphics : public vux_host_table<vux_graphics_table> {
public:
    int32_t screen_width() const { return call(&vux_graphics_table::screen_width); }
    int32_t screen_height() const { return call(&vux_graphics_table::screen_height); }
    void select_font(int32_t size, int32_t style) const { call(&vux_graphics_table::select_font, size, style); }
    int32_t text_height() const { return call(&vux_graphics_table::text_height); }
    int32_t char_width(uint16_t ch) const { return call(&vux_graphics_table::char_width, ch); }
    void window_image(const char* name, const uint8_t* bytes, int32_t length) const {
        call(&vux_graphics_table::window_image, name, bytes, length);
    }
    void no_window_image() const { call(&vux_graphics_table::hook_16); }
    void data_replaced(const char* name) const { call(&vux_graphics_table::data_replaced, name); }
    void repaint() const { call(&vux_graphics_table::repaint); }
};
