#pragma once
#include <cstdint>
#include "core/vux_string.h"

// Colours as 0xAARRGGBB; the top byte is a transparency (0 opaque to the
// host after it turns it into 255 - value), the text "null" stands for -1.
class vux_color {
public:
    virtual ~vux_color() = default;
    static int32_t parse(const vux_string& text);
    static int32_t alpha(int32_t c) { return int32_t((uint32_t(c) >> 24) & 0xFF); }
    static int32_t red(int32_t c) { return int32_t((uint32_t(c) >> 16) & 0xFF); }
    static int32_t green(int32_t c) { return int32_t((uint32_t(c) >> 8) & 0xFF); }
    static int32_t blue(int32_t c) { return int32_t(uint32_t(c) & 0xFF); }
    static int32_t make_rgb(int32_t r, int32_t g, int32_t b) {
        return int32_t((uint32_t(r) & 0xFF) << 16 | (uint32_t(g) & 0xFF) << 8 | (uint32_t(b) & 0xFF));
    }
    static bool is_translucent(int32_t c) { return alpha(c) != 255; }
    // Only -1 ("null") is no colour: a translucent one has its top bit set
    // and reads as negative.
    static bool is_set(int32_t c) { return c != -1; }
};
