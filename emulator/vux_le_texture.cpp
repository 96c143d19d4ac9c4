#include "emulator/vux_le_texture.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
using i64 = std::int64_t;

// Tiles beyond this many are not drawn (a rectangle of INT_MAX width with a
// one-pixel tile would otherwise never end).
constexpr i64 max_tiles = 4096;

bool fits(i64 v) { return v >= INT_MIN && v <= INT_MAX; }

void add(std::vector<vux_le_texture_draw>& out, i64 x, i64 y, i64 w, i64 h, i64 sx, i64 sy, i64 sw, i64 sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    if (!fits(x) || !fits(y) || !fits(w) || !fits(h) || !fits(x + w) || !fits(y + h)) return;
    out.push_back({QRect(int(x), int(y), int(w), int(h)), QRect(int(sx), int(sy), int(sw), int(sh))});
}
}  // namespace

std::vector<vux_le_texture_draw> vux_le_texture_draws(int mode, int iw_, int ih_, int x_, int y_, int w_, int h_) {
    std::vector<vux_le_texture_draw> out;
    const i64 iw = iw_, ih = ih_, x = x_, y = y_, w = w_, h = h_;
    if (iw <= 0 || ih <= 0 || w <= 0 || h <= 0) return out;
    const auto whole = [&] { add(out, x, y, w, h, 0, 0, iw, ih); };
    switch (mode) {
    case 0: {
        const i64 g = iw * 50 / 100 - 4;
        const i64 c = h * g / ih;
        if (iw >= w || g <= 0 || w - 2 * c <= 0) return whole(), out;
        add(out, x, y, c, h, 0, 0, g, ih);
        add(out, x + c, y, w - 2 * c, h, g, 0, iw - 2 * g, ih);
        add(out, x + w - c, y, c, h, iw - g, 0, g, ih);
        return out;
    }
    case 1: {
        const i64 g = ih * 50 / 100 - 4;
        const i64 c = w * g / iw;
        if (ih >= h || g <= 0 || h - 2 * c <= 0) return whole(), out;
        add(out, x, y, w, c, 0, 0, iw, g);
        add(out, x, y + c, w, h - 2 * c, 0, g, iw, ih - 2 * g);
        add(out, x, y + h - c, w, c, 0, ih - g, iw, g);
        return out;
    }
    case 2: {
        const i64 k = iw * 50 / 100 - 4;
        const i64 t = ih * 3 / 4 - 4;
        const i64 b = ih - (t + 4);
        if (k <= 0 || t <= 0 || b <= 0) return whole(), out;
        const i64 mw = w - 2 * k, mh = h - b - t;
        add(out, x, y, k, t, 0, 0, k, t);
        add(out, x + k, y, mw, t, k, 0, 4, t);
        add(out, x + w - k, y, k, t, iw - k, 0, k, t);
        add(out, x, y + t, k, mh, 0, t, k, 4);
        add(out, x + k, y + t, mw, mh, k, t, 4, 4);
        add(out, x + w - k, y + t, k, mh, iw - k, t, k, 4);
        add(out, x, y + h - b, k, b, 0, t + 4, k, b);
        add(out, x + k, y + h - b, mw, b, k, t + 4, 4, b);
        add(out, x + w - k, y + h - b, k, b, iw - k, t + 4, k, b);
        return out;
    }
    case 3: {
        const i64 q = h * iw / ih;
        if (q <= 0) return out;
        for (i64 done = 0, n = 0; done < w && n < max_tiles; done += q, ++n) {
            const i64 r = std::min(q, w - done);
            add(out, x + done, y, r, h, 0, 0, r == q ? iw : r * iw / q, ih);
        }
        return out;
    }
    case 4: {
        const i64 q = w * ih / iw;
        if (q <= 0) return out;
        for (i64 done = 0, n = 0; done < h && n < max_tiles; done += q, ++n) {
            const i64 r = std::min(q, h - done);
            add(out, x, y + done, w, r, 0, 0, iw, r == q ? ih : r * ih / q);
        }
        return out;
    }
    case 5: {
        const i64 f = std::min(ih, h * iw / w);
        add(out, x, y, w, h, 0, ih - f, iw, f);
        return out;
    }
    default: return out;
    }
}
