#include "desktop/orbel_textfile.h"

#include <algorithm>

#include "core/vux_utf8.h"

namespace {
bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r' || c == u'\n' || c == u'\u3000';
}

std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
    return s;
}

bool is_separator(char16_t c) { return c == u' ' || c == u',' || c == u'\uFF0C'; }

// The ASCII text as bytes; false (nothing made) for any other unit or for a
// text longer than the longest the checks after it take, which refuse any
// byte past ASCII and any address of 41 bytes or more.
bool ascii_of(std::u16string_view s, size_t longest, vux_string& out) {
    char bytes[64];
    if (s.size() > longest || s.size() > sizeof bytes) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 0x7F) return false;
        bytes[i] = char(s[i]);
    }
    out.assign(bytes, int32_t(s.size()));
    return true;
}

bool is_mobile(std::u16string_view s) {
    if (s.size() != 11 || s[0] != u'1') return false;
    for (char16_t c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

void utf16(const uint8_t* p, int32_t n, bool little, std::u16string& out) {
    out.resize(size_t(n / 2));
    for (int32_t i = 0; i + 1 < n; i += 2)
        out[size_t(i / 2)] = little ? char16_t(p[i] | p[i + 1] << 8) : char16_t(p[i] << 8 | p[i + 1]);
}

bool utf8(const uint8_t* p, int32_t n, std::u16string& out) {
    if (!vux_link(p, n).is_utf8()) return false;
    vux_utf8_decode(p, n, out);
    return true;
}
}  // namespace

bool orbel_textfile::decode(const vux_link& bytes, gbk_decoder gbk) {
    text_.clear();
    const uint8_t* p = bytes.data();
    const int32_t n = bytes.length();
    if (n <= 0) return false;
    // A UTF-16 mark followed by an odd count is not UTF-16: it falls through.
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xFE && (n - 2) % 2 == 0) {
        utf16(p + 2, n - 2, true, text_);
        return true;
    }
    if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF && (n - 2) % 2 == 0) {
        utf16(p + 2, n - 2, false, text_);
        return true;
    }
    if (n >= 4 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return utf8(p + 3, n - 3, text_) || (text_.clear(), false);
    if (bytes.is_gb2312() && gbk) {
        if (gbk(p, n, text_)) return true;
        text_.clear();
        return false;
    }
    if (utf8(p, n, text_)) return true;
    text_.clear();
    return false;
}

bool orbel_textfile::parse_line(std::u16string_view line, pair& out) {
    if (line.size() <= 12) return false;
    std::u16string_view name;
    if (is_mobile(line.substr(line.size() - 11))) {
        ascii_of(line.substr(line.size() - 11), 11, out.value);
        name = line.substr(0, line.size() - 11);
    } else {
        bool found = false;
        vux_string value;
        for (size_t i = line.size(); i-- > 0;) {
            if (!is_separator(line[i])) continue;
            if (!ascii_of(line.substr(i + 1), 40, value) || !value.is_email_address()) continue;
            out.value = std::move(value);
            name = line.substr(0, i);
            found = true;
            break;
        }
        if (!found) return false;
    }
    name = trimmed(name);
    if (!name.empty() && (name.back() == u',' || name.back() == u'\uFF0C')) {
        name.remove_suffix(1);
        name = trimmed(name);
    }
    if (name.empty()) return false;
    out.name = vux_unicode(name);
    return true;
}

bool orbel_textfile::parse() {
    pairs_.clear();
    // Room for every pair at once: no more than the lines, and no more than
    // the lines of 13 or more units (a shorter one fails) the text can hold.
    const size_t lines = size_t(std::count(text_.begin(), text_.end(), u'\n')) + 1;
    pairs_.reserve(std::min(lines, text_.size() / 13 + 1));
    std::u16string_view rest(text_);
    while (!rest.empty()) {
        size_t end = rest.find_first_of(u"\r\n");
        const std::u16string_view piece = trimmed(rest.substr(0, end));
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        if (piece.empty()) continue;
        pair p;
        if (!parse_line(piece, p)) {
            pairs_.clear();
            return false;
        }
        pairs_.push_back(std::move(p));
    }
    return true;
}

orbel_import_error orbel_read_contacts(const vux_link& bytes, orbel_textfile::gbk_decoder gbk, orbel_textfile& out) {
    if (bytes.empty()) return orbel_import_error::empty;
    if (bytes.length() > orbel_textfile::max_file_size || !out.decode(bytes, gbk)) return orbel_import_error::format;
    if (!out.parse()) return orbel_import_error::parse;
    if (out.pairs().empty()) return orbel_import_error::empty;
    return orbel_import_error::none;
}
