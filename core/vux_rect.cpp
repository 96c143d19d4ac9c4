#include "core/vux_rect.h"

namespace {
int16_t i16(int32_t v) { return int16_t(v); }
}  // namespace

void vux_rect::set(int32_t x, int32_t y, int32_t w, int32_t h) {
    tl = vux_point(x, y);
    br = vux_point(x + w, y + h);
}

void vux_rect::offset(int32_t dx, int32_t dy) {
    tl.offset(dx, dy);
    br.offset(dx, dy);
}

void vux_rect::inflate(int32_t l, int32_t t, int32_t r, int32_t b) {
    tl.x = i16(tl.x - l);
    tl.y = i16(tl.y - t);
    br.x = i16(br.x + r);
    br.y = i16(br.y + b);
}

void vux_rect::offset_copy(vux_rect& out, int32_t dx, int32_t dy) const {
    out = *this;
    out.offset(dx, dy);
}

void vux_rect::inflated(vux_rect& out, int32_t l, int32_t t, int32_t r, int32_t b) const {
    out = *this;
    out.inflate(l, t, r, b);
}

void vux_rect::centered(vux_rect& out, int32_t w, int32_t h) const {
    out.set(left() + (width() - w) / 2, top() + (height() - h) / 2, w, h);
}

void vux_rect::cut_top(vux_rect& out, int32_t n) const {
    out = *this;
    out.tl.y = i16(top() + n);
}
void vux_rect::top_part(vux_rect& out, int32_t n) const {
    out = *this;
    out.br.y = i16(top() + n);
}
void vux_rect::cut_bottom(vux_rect& out, int32_t n) const {
    out = *this;
    out.br.y = i16(bottom() - n);
}
void vux_rect::bottom_part(vux_rect& out, int32_t n) const {
    out = *this;
    out.tl.y = i16(bottom() - n);
}
void vux_rect::cut_left(vux_rect& out, int32_t n) const {
    out = *this;
    out.tl.x = i16(left() + n);
}
void vux_rect::left_part(vux_rect& out, int32_t n) const {
    out = *this;
    out.br.x = i16(left() + n);
}
void vux_rect::cut_right(vux_rect& out, int32_t n) const {
    out = *this;
    out.br.x = i16(right() - n);
}
void vux_rect::right_part(vux_rect& out, int32_t n) const {
    out = *this;
    out.tl.x = i16(right() - n);
}

bool vux_rect::contains(const vux_point& p) const {
    if (right() >= left()) {
        if (p.x < left() || p.x > right()) return false;
    }
    if (bottom() < top()) return true;
    return p.y >= top() && p.y <= bottom();
}

bool vux_rect::contains_with_margin(const vux_point& p, int32_t dx, int32_t dy) const {
    vux_rect r;
    inflated_xy(r, dx, dy);
    return r.contains(p);
}
