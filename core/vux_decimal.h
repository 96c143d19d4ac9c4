#pragma once
#include <cstdint>
#include "core/vux_string.h"

// Signed decimal integers as text.
class vux_decimal {
public:
    virtual ~vux_decimal() = default;
    // A '-' at index 0 negates; every other byte counts as a digit
    // (value * 10 + byte - '0'), unchecked: test with is_decimal first.
    // The value saturates at the int32 range instead of overflowing.
    static int32_t parse(const vux_string& text);
    // The same in 64 bits (saturating at the int64 range).
    static int64_t parse64(const vux_string& text);
    // Non-empty digits with an optional leading '-'; no leading zero unless
    // the text is the single digit '0' ("-0" fails).
    static bool is_decimal(const vux_string& text);
    static vux_string format(int32_t v);
    static vux_string format_time(int32_t a, int32_t b);  // "%02d:%02d"
};
