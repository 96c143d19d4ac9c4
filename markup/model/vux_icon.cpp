#include "markup/model/vux_icon.h"
#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
int32_t clamp32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
}  // namespace

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
    return clamp32(int64_t(a) * numerator / denominator);
}

int32_t vux_icon::side(int32_t line_height, int32_t line_spacing, int32_t margin_pixels) const {
    const int64_t base = line_height;
    int64_t s = scale(line_height);
    if (growth != 0 && base != 0) {
        const int64_t row = base + 2 * int64_t(line_spacing);
        // (row - base) * s * growth needs up to 96 bits for values off the wire.
        const __int128 extra = __int128(row - base) * s * growth / (__int128(base) * 100);
        s += clamp32(int64_t(std::clamp<__int128>(extra, INT64_MIN / 2, INT64_MAX / 2)));
    }
    return clamp32(s + 2 * int64_t(margin_pixels));
}
