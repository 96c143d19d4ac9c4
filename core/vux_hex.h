#pragma once
#include <cstdint>
#include "core/vux_string.h"

// 8-digit hexadecimal values and bit counts.
class vux_hex {
public:
    virtual ~vux_hex() = default;
    static vux_string format(int32_t v);  // "%08x"
    // Up to 8 bytes (fewer when length is smaller): each hex digit of either
    // case shifts in; any other byte is skipped.
    static int32_t parse8(const char* p, int32_t length = 8);
    static int32_t parse(const vux_string& text);  // parse8 of the first 8 bytes
    static bool is_hex(const char* p, int32_t length);
    static bool is_hex8(const vux_string& text);
    static int32_t count_bits(int32_t v);
    static int32_t count_bits_of(const vux_string& text);
    static int digit_value(uint8_t c);  // -1 for a byte that is no hex digit
};
