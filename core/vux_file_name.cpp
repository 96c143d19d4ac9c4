#include "core/vux_file_name.h"

namespace {

// Length of the well-formed UTF-8 sequence at p (no overlong forms, no
// surrogates, nothing above U+10FFFF), 0 when there is none.
int32_t utf8_sequence(const unsigned char* p, int32_t left) {
    const unsigned char b = p[0];
    if (b < 0x80) return 1;
    int32_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < n || p[1] < low || p[1] > high) return 0;
    for (int32_t i = 2; i < n; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return n;
}

}  // namespace

bool vux_file_name_safe(std::string_view name) {
    if (name.empty() || name.size() > size_t(vux_file_name_max_bytes)) return false;
    if (name.front() == '.' || name.find("..") != std::string_view::npos) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const auto n = int32_t(name.size());
    for (int32_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x20 || b == 0x7F || b == '/' || b == '\\') return false;
        const int32_t step = utf8_sequence(p + i, n - i);
        if (step == 0) return false;
        i += step;
    }
    return true;
}
