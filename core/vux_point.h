#pragma once
#include <cstdint>
#include "core/vux_object.h"

// A point of the phone screen in 16-bit coordinates.
class vux_point : public vux_object {
public:
    vux_point() = default;
    vux_point(int32_t x, int32_t y) : x(int16_t(x)), y(int16_t(y)) {}
    vux_point(const vux_point& o) : vux_object(), x(o.x), y(o.y) {}
    vux_point& operator=(const vux_point& o) {
        x = o.x;
        y = o.y;
        return *this;
    }

    bool equals(const vux_point& o) const { return x == o.x && y == o.y; }
    bool not_equals(const vux_point& o) const { return !equals(o); }
    void offset(int32_t dx, int32_t dy) {
        x = int16_t(x + dx);
        y = int16_t(y + dy);
    }

    int16_t x = 0;
    int16_t y = 0;
};
