#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

// Products and sums of layout values are formed in 64 bits and brought back
// to the range of the field that keeps them.
inline int32_t vux_clamp32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
inline int16_t vux_clamp16(int64_t v) {
    return int16_t(std::clamp<int64_t>(v, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}
