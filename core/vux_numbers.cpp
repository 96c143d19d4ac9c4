// Number, hexadecimal and colour text helpers.
#include <cstdio>
#include <limits>
#include "core/vux_color.h"
#include "core/vux_decimal.h"
#include "core/vux_hex.h"

int64_t vux_decimal::parse64(const vux_string& text) {
    constexpr int64_t lim = std::numeric_limits<int64_t>::max() / 16;
    bool neg = text.byte_at(0) == '-';
    int64_t v = 0;
    for (int32_t i = neg ? 1 : 0; i < text.length(); ++i) {
        int64_t d = int64_t(text.byte_at(i)) - '0';
        if (v > lim || v < -lim) break;  // saturated
        v = v * 10 + d;
    }
    if (v > lim) v = std::numeric_limits<int64_t>::max();
    if (v < -lim) v = std::numeric_limits<int64_t>::min() + 1;
    return neg ? -v : v;
}

int32_t vux_decimal::parse(const vux_string& text) {
    int64_t v = parse64(text);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return int32_t(v);
}

bool vux_decimal::is_decimal(const vux_string& text) {
    const int32_t n = text.length();
    if (n == 0) return false;
    int32_t i = text.byte_at(0) == '-' ? 1 : 0;
    if (i == n) return false;  // lone '-'
    if (text.byte_at(i) == '0' && n > 1) return false;
    for (; i < n; ++i)
        if (text.byte_at(i) < '0' || text.byte_at(i) > '9') return false;
    return true;
}

vux_string vux_decimal::format(int32_t v) {
    char b[16];
    int n = std::snprintf(b, sizeof b, "%d", v);
    return vux_string(b, n);
}

vux_string vux_decimal::format_time(int32_t a, int32_t b) {
    char t[32];
    int n = std::snprintf(t, sizeof t, "%02d:%02d", a, b);
    return vux_string(t, n);
}

vux_string vux_hex::format(int32_t v) {
    char b[16];
    int n = std::snprintf(b, sizeof b, "%08x", uint32_t(v));
    return vux_string(b, n);
}

int vux_hex::digit_value(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int32_t vux_hex::parse8(const char* p, int32_t length) {
    if (!p) return 0;
    if (length > 8) length = 8;
    uint32_t v = 0;
    for (int32_t i = 0; i < length; ++i) {
        int d = digit_value(uint8_t(p[i]));
        if (d >= 0) v = v << 4 | uint32_t(d);
    }
    return int32_t(v);
}

int32_t vux_hex::parse(const vux_string& text) { return parse8(text.data(), text.length()); }

bool vux_hex::is_hex(const char* p, int32_t length) {
    for (int32_t i = 0; i < length; ++i)
        if (digit_value(uint8_t(p[i])) < 0) return false;
    return true;
}

bool vux_hex::is_hex8(const vux_string& text) { return text.length() == 8 && is_hex(text.data(), 8); }

int32_t vux_hex::count_bits(int32_t v) {
    uint32_t u = uint32_t(v);
    int32_t n = 0;
    for (; u; u &= u - 1) ++n;
    return n;
}

int32_t vux_hex::count_bits_of(const vux_string& text) { return count_bits(parse(text)); }

int32_t vux_color::parse(const vux_string& text) {
    if (vux_string_equals_cstr(text, "null")) return -1;
    uint32_t v = 0;
    for (int32_t i = 0; i < text.length(); ++i) {
        int d = vux_hex::digit_value(text.byte_at(i));
        if (d >= 0) v = v << 4 | uint32_t(d);
    }
    return int32_t(v);
}
