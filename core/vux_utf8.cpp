#include "core/vux_utf8.h"

int32_t vux_utf8_decode(const uint8_t* p, int32_t n, std::u16string& out) {
    int32_t i = 0;
    auto cont = [&](int32_t k) { return i + k < n && (p[i + k] & 0xC0) == 0x80; };
    while (i < n) {
        const uint8_t b = p[i];
        // Each form must carry a value its shorter forms cannot: an overlong
        // form (C0 80 for U+0000, E0 80 AF for '/') starts no sequence.
        if (b < 0x80) {
            out.push_back(char16_t(b));
            i += 1;
        } else if ((b & 0xE0) == 0xC0 && b >= 0xC2 && cont(1)) {
            out.push_back(char16_t((b & 0x1F) << 6 | (p[i + 1] & 0x3F)));
            i += 2;
        } else if ((b & 0xF0) == 0xE0 && cont(1) && cont(2) && (b != 0xE0 || p[i + 1] >= 0xA0)) {
            out.push_back(char16_t((b & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F)));
            i += 3;
        } else if ((b & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3) && (b != 0xF0 || p[i + 1] >= 0x90)) {
            uint32_t cp = uint32_t(b & 0x07) << 18 | uint32_t(p[i + 1] & 0x3F) << 12 | uint32_t(p[i + 2] & 0x3F) << 6 |
                          uint32_t(p[i + 3] & 0x3F);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                cp -= 0x10000;
                out.push_back(char16_t(0xD800 + (cp >> 10)));
                out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
            }
            i += 4;
        } else {
            i += 1;  // starts no complete sequence: skipped
        }
    }
    return n > 0 ? n : 0;
}

void vux_utf8_encode(const char16_t* u, int32_t n, std::string& out) {
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t c = u[i];
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | c >> 6));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xE0 | c >> 12));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
}
