#pragma once
#include <cstdint>
#include "core/vux_point.h"

// A rectangle of the phone screen: top-left and bottom-right corners; right
// and bottom lie one past the last pixel when it was built from a size.
class vux_rect : public vux_object {
public:
    vux_rect() = default;
    vux_rect(int32_t x, int32_t y, int32_t w, int32_t h) { set(x, y, w, h); }
    vux_rect(const vux_point& a, const vux_point& b) : tl(a), br(b) {}
    vux_rect(const vux_rect& o) : vux_object(), tl(o.tl), br(o.br) {}
    vux_rect& operator=(const vux_rect& o) {
        tl = o.tl;
        br = o.br;
        return *this;
    }

    int32_t left() const { return tl.x; }
    int32_t top() const { return tl.y; }
    int32_t right() const { return br.x; }
    int32_t bottom() const { return br.y; }

    void set(int32_t x, int32_t y, int32_t w, int32_t h);
    void set_corners(const vux_point& a, const vux_point& b) {
        tl = a;
        br = b;
    }
    void clear() { tl = br = vux_point(); }
    int32_t width() const { return br.x - tl.x; }
    int32_t height() const { return br.y - tl.y; }
    bool is_empty() const { return tl.equals(br); }
    bool equals(const vux_rect& o) const { return tl.equals(o.tl) && br.equals(o.br); }
    bool not_equals(const vux_rect& o) const { return !equals(o); }

    void offset(int32_t dx, int32_t dy);
    void inflate(int32_t l, int32_t t, int32_t r, int32_t b);
    void inflate_xy(int32_t dx, int32_t dy) { inflate(dx, dy, dx, dy); }

    void offset_copy(vux_rect& out, int32_t dx, int32_t dy) const;
    void inflated(vux_rect& out, int32_t l, int32_t t, int32_t r, int32_t b) const;
    void inflated_xy(vux_rect& out, int32_t dx, int32_t dy) const { inflated(out, dx, dy, dx, dy); }
    void centered(vux_rect& out, int32_t w, int32_t h) const;

    void cut_top(vux_rect& out, int32_t n) const;
    void top_part(vux_rect& out, int32_t n) const;
    void cut_bottom(vux_rect& out, int32_t n) const;
    void bottom_part(vux_rect& out, int32_t n) const;
    void cut_left(vux_rect& out, int32_t n) const;
    void left_part(vux_rect& out, int32_t n) const;
    void cut_right(vux_rect& out, int32_t n) const;
    void right_part(vux_rect& out, int32_t n) const;

    // Edges inclusive; an axis with a negative extent is not tested.
    bool contains(const vux_point& p) const;
    bool contains_with_margin(const vux_point& p, int32_t dx, int32_t dy) const;

    vux_point tl;
    vux_point br;
};
