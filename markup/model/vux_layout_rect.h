#pragma once
#include <cstdint>
#include "core/vux_rect.h"
#include "markup/model/vux_layout_point.h"

// A rectangle in layout coordinates (left, top, width, height in 32 bits).
struct vux_layout_rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;

    int32_t left() const { return x; }
    int32_t top() const { return y; }
    int32_t width() const { return w; }
    int32_t height() const { return h; }
    int64_t right() const { return int64_t(x) + w; }
    int64_t bottom() const { return int64_t(y) + h; }
    // Edges inclusive, as the screen rectangle tests them.
    bool contains(const vux_layout_point& p) const { return p.x >= x && p.x <= right() && p.y >= y && p.y <= bottom(); }
    static vux_layout_rect from(const vux_rect& r) { return {r.left(), r.top(), r.width(), r.height()}; }
};
