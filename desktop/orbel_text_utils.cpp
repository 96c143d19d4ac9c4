#include "desktop/orbel_text_utils.h"
#include <cstring>

namespace {
bool is_digit(uint8_t c) { return c >= '0' && c <= '9'; }
}  // namespace

bool orbel_is_jpeg(const vux_link& bytes) {
    if (bytes.length() < 11 || !bytes.data()) return false;
    const uint8_t* p = bytes.data();
    if (p[0] != 0xFF || p[1] != 0xD8 || p[2] != 0xFF || p[10] != 0) return false;
    if (p[3] == 0xE0) return std::memcmp(p + 6, "JFIF", 4) == 0;
    if (p[3] == 0xE1) return std::memcmp(p + 6, "Exif", 4) == 0;
    return false;
}

bool orbel_is_decimal_number(const vux_string& text) {
    const int32_t n = text.length();
    if (n == 0) return false;
    const uint8_t first = text.byte_at(0);
    if (first == '.' || text.byte_at(n - 1) == '.') return false;
    if (n > 1 && first == '-') {
        const uint8_t second = text.byte_at(1);
        if (second == '.') return false;
        if (second == '0' && (n <= 2 || text.byte_at(2) != '.')) return false;
    }
    if (n > 1 && first == '0' && text.byte_at(1) != '.') return false;
    int32_t dots = 0;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t c = text.byte_at(i);
        if (c == '.') {
            if (++dots > 1) return false;
        } else if (!(is_digit(c) || (i == 0 && c == '-' && n > 1))) {
            return false;
        }
    }
    return true;
}

void orbel_split_decimal(const vux_string& text, vux_string& integer_part, vux_string& fraction_part) {
    const vux_string source(text);  // an output may be the text itself
    integer_part.clear();
    fraction_part.clear();
    const int32_t dot = source.find_char('.');
    if (dot < 0) {
        integer_part.assign(source);
        return;
    }
    integer_part.assign(source.data(), dot);
    for (int32_t i = dot + 1; i < source.length(); ++i)
        if (source.byte_at(i) != '.') fraction_part.append(char(source.byte_at(i)));
}

void orbel_url_encode(vux_string& out, const vux_string& text) {
    static const char digits[] = "0123456789ABCDEF";
    const vux_string source(text);  // out may be the text itself
    out.clear();
    for (int32_t i = 0; i < source.length(); ++i) {
        const uint8_t c = source.byte_at(i);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || is_digit(c) || c == '-' || c == '.' ||
                           c == '_' || c == '~';
        if (plain) {
            out.append(char(c));
        } else {
            const char escaped[3] = {'%', digits[c >> 4], digits[c & 0xF]};
            out.append(escaped, 3);
        }
    }
}
