#pragma once
#include <cstdint>

// The bytes that open and close every message frame and document stream.
inline constexpr uint8_t vux_frame_magic[4] = {'v', 'u', 'x', '+'};
inline constexpr uint8_t vux_frame_trailer[4] = {'+', 'x', 'u', 'v'};
