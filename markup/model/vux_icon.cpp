#include "markup/model/vux_icon.h"
#include <algorithm>
#include <cstdint>
#include <limits>
#include "markup/model/vux_clamp.h"

void vux_icon::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("numerator", numerator);
    v.int32("denominator", denominator);
    v.int32("margin", margin);
    v.int32("growth", growth);
    v.int32("reserved", reserved);
    v.string("name", name);
    v.string("alt_name", alt_name);
}

int32_t vux_icon::scale(int32_t a) const {
    if (numerator == 0 || denominator == 0) return a;
    return vux_clamp32(int64_t(a) * numerator / denominator);
}

int32_t vux_icon::side(int32_t line_height, int32_t line_spacing, int32_t margin_pixels) const {
    const int64_t base = line_height;
    int64_t s = scale(line_height);
    if (growth != 0 && base != 0) {
        const int64_t row = base + 2 * int64_t(line_spacing);
        // (row - base) * s * growth needs up to 96 bits for values off the wire.
        const __int128 extra = __int128(row - base) * s * growth / (__int128(base) * 100);
        s += vux_clamp32(int64_t(std::clamp<__int128>(extra, INT64_MIN / 2, INT64_MAX / 2)));
    }
    return vux_clamp32(s + 2 * int64_t(margin_pixels));
}
