#pragma once
#include <cstdint>

// The keys the host hands to vux_engine_key. The host maps Enter and Space to
// select, Esc to back and the arrows to the four directions.
enum vux_key_code : int32_t {
    key_select = 0,
    key_left_soft = 1,
    key_right_soft = 2,
    key_left = 3,
    key_right = 4,
    key_up = 5,
    key_down = 6,
    key_back = 7,
    key_page_up = 8,
    key_page_down = 9,
    key_to_top = 10,
    key_to_bottom = 11,
    key_line_up = 12,
    key_line_down = 13,
    key_last = key_line_down,
};
