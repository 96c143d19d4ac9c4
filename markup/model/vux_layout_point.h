#pragma once
#include <cstdint>
#include "core/vux_point.h"
#include "markup/model/vux_clamp.h"

// A point in layout coordinates. A long client passes the 16-bit range of a
// screen point, so layout positions are 32-bit; `to_screen_point` saturates.
struct vux_layout_point {
    int32_t x = 0;
    int32_t y = 0;

    vux_point to_screen_point() const {
        vux_point p;
        p.x = vux_clamp16(x);
        p.y = vux_clamp16(y);
        return p;
    }
    static vux_layout_point from(const vux_point& p) { return {p.x, p.y}; }
};
