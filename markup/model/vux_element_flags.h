#pragma once
#include <cstdint>

// Bit n of a serialised flag word.
inline bool vux_flag_bit(int32_t word, int32_t n) { return n >= 0 && n < 32 && (uint32_t(word) >> n & 1u) != 0; }
inline void vux_set_flag_bit(int32_t& word, int32_t n, bool on) {
    const uint32_t mask = 1u << n;
    word = int32_t(on ? uint32_t(word) | mask : uint32_t(word) & ~mask);
}
