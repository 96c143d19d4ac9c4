#include "core/vux_string.h"
#include <algorithm>
#include <cstring>
#include "core/vux_decimal.h"
#include "core/vux_link.h"
#include "core/vux_reader.h"
#include "core/vux_unicode.h"
#include "core/vux_utf8.h"
#include "core/vux_writer.h"

namespace {
int32_t cstr_length(const char* text) {
    if (!text) return 0;
    size_t n = std::strlen(text);
    return n > size_t(INT32_MAX) ? 0 : int32_t(n);
}
bool is_alnum(uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
}  // namespace

vux_string::vux_string(const char* text) : text_(text, cstr_length(text)) {}
vux_string::~vux_string() = default;

void vux_string::read(vux_reader& reader) { reader.read_string(*this); }
void vux_string::write(vux_writer& writer) const { writer.write_string(*this); }

int32_t vux_string::hash() const {
    uint32_t s1 = 1, s2 = 0;
    const uint8_t* p = bytes();
    for (int32_t i = 0; i < length(); ++i) {
        s1 = (s1 + p[i]) % 65521;
        s2 = (s2 + s1) % 65521;
    }
    return int32_t((s2 << 16 | s1) & 0x7FFFFFFF);
}

vux_string& vux_string::clear() {
    text_.clear();
    return *this;
}
vux_string& vux_string::assign(const vux_string& other) {
    if (this != &other) text_.assign(other.data(), other.length());
    return *this;
}
vux_string& vux_string::assign(const char* text) {
    text_.assign(text, cstr_length(text));
    return *this;
}
vux_string& vux_string::assign(const char* data, int32_t length) {
    text_.assign(data, length);
    return *this;
}
vux_string& vux_string::append(const vux_string& other) {
    text_.append(other.data(), other.length());
    return *this;
}
vux_string& vux_string::append(const char* text) {
    text_.append(text, cstr_length(text));
    return *this;
}
vux_string& vux_string::append(char byte) {
    text_.append(&byte, 1);
    return *this;
}
vux_string& vux_string::append(const char* data, int32_t length) {
    text_.append(data, length);
    return *this;
}

vux_string vux_string::substring(int32_t pos, int32_t len) const {
    if (pos < 0) pos = 0;
    if (pos >= length() || len <= 0) return {};
    len = std::min(len, length() - pos);
    return vux_string(data() + pos, len);
}
vux_string vux_string::left(int32_t len) const { return substring(0, len); }
vux_string vux_string::right(int32_t n) const {
    if (n <= 0) return {};
    n = std::min(n, length());
    return vux_string(data() + length() - n, n);
}

vux_string& vux_string::to_upper() {
    char* p = text_.mutable_data();
    for (int32_t i = 0; i < length(); ++i)
        if (p[i] >= 'a' && p[i] <= 'z') p[i] = char(p[i] - 'a' + 'A');
    return *this;
}
vux_string& vux_string::to_lower() {
    char* p = text_.mutable_data();
    for (int32_t i = 0; i < length(); ++i)
        if (p[i] >= 'A' && p[i] <= 'Z') p[i] = char(p[i] - 'A' + 'a');
    return *this;
}

int32_t vux_string::find(const vux_string& other) const {
    if (empty() || other.empty()) return -1;
    return as_link().find_bytes(0, other.data(), other.length());
}

int32_t vux_string::find_char(char byte, int32_t from) const {
    if (from < 0) from = 0;
    for (int32_t i = from; i < length(); ++i)
        if (data()[i] == byte) return i;
    return -1;
}

bool vux_string::starts_with(const vux_string& prefix) const {
    if (empty() || prefix.empty() || prefix.length() > length()) return false;
    return std::memcmp(data(), prefix.data(), size_t(prefix.length())) == 0;
}

bool vux_string::is_identifier() const {
    if (length() < 1 || length() > 64) return false;
    for (int32_t i = 0; i < length(); ++i) {
        uint8_t c = byte_at(i);
        if (is_alnum(c)) continue;
        if ((c == '_' || c == '.') && i > 0) continue;
        return false;
    }
    return true;
}

bool vux_string::is_mobile_number() const {
    if (length() != 11 || byte_at(0) != '1') return false;
    for (int32_t i = 0; i < 11; ++i)
        if (byte_at(i) < '0' || byte_at(i) > '9') return false;
    return true;
}

bool vux_string::is_email_address() const {
    static const char specials[] = "\"(),:;<>@[\\]";
    auto special = [](uint8_t c) { return c != 0 && std::strchr(specials, c) != nullptr; };
    const int32_t n = length();
    if (n >= 41) return false;
    int32_t i = 0;
    // local part
    for (;; ++i) {
        if (i >= n) return false;  // no '@'
        uint8_t c = byte_at(i);
        if (c == '@') {
            if (i == 0 || byte_at(i - 1) == '.') return false;
            break;
        }
        if (c <= 32 || c >= 127 || special(c)) return false;
        if (c == '.' && (i == 0 || byte_at(i - 1) == '.')) return false;
    }
    const int32_t domain = ++i;
    bool dot = false;
    for (; i < n; ++i) {
        uint8_t c = byte_at(i);
        if (c <= 32 || c >= 127 || special(c)) return false;
        if (c == '.') {
            if (i == domain || byte_at(i - 1) == '.' || i == n - 1) return false;
            dot = true;
        }
    }
    return dot;
}

bool vux_string::is_binary_digits() const {
    for (int32_t i = 0; i < length(); ++i)
        if (byte_at(i) != '0' && byte_at(i) != '1') return false;
    return true;
}

int32_t vux_string::count_ones() const { return int32_t(std::count(data(), data() + length(), '1')); }

int32_t vux_string::decode_utf8_into(vux_unicode& target) const {
    target.clear();
    std::u16string out;
    int32_t used = vux_utf8_decode(bytes(), length(), out);
    target.assign(out.data(), int32_t(out.size()));
    return used;
}

vux_unicode vux_string::to_unicode() const {
    vux_unicode u;
    decode_utf8_into(u);
    return u;
}

vux_link vux_string::as_link() const { return vux_link(data(), length()); }

vux_string operator+(const vux_string& a, const vux_string& b) {
    vux_string r;
    r.reserve(a.length() + b.length());
    return r.append(a).append(b);
}
vux_string operator+(const char* a, const vux_string& b) { return vux_string(a) + b; }
vux_string operator+(const vux_string& a, const char* b) { return a + vux_string(b); }

bool vux_string_equal(const vux_string& a, const vux_string& b) {
    return a.length() == b.length() && std::memcmp(a.data(), b.data(), size_t(a.length())) == 0;
}
bool vux_string_not_equal(const vux_string& a, const vux_string& b) { return !vux_string_equal(a, b); }
bool vux_string_equals_cstr(const vux_string& a, const char* b) { return vux_string_equal(a, vux_string(b)); }

namespace {
// Compares two texts that pass vux_decimal::is_decimal by value, without
// converting them, so that numbers past the int32 range (mobile numbers)
// still compare as numbers: no leading zeros and no "-0", so the longer
// magnitude is the larger and equal lengths compare digit by digit.
int compare_decimal(const vux_string& a, const vux_string& b) {
    bool na = a.byte_at(0) == '-', nb = b.byte_at(0) == '-';
    if (na != nb) return na ? -1 : 1;
    int mag;
    int32_t la = a.length() - na, lb = b.length() - nb;
    if (la != lb)
        mag = la < lb ? -1 : 1;
    else {
        int c = std::memcmp(a.data() + na, b.data() + nb, size_t(la));
        mag = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return na ? -mag : mag;
}
int compare(const vux_string& a, const vux_string& b) {
    if (vux_decimal::is_decimal(a) && vux_decimal::is_decimal(b)) return compare_decimal(a, b);
    // Any other pair as 0-terminated text (strcmp compares unsigned bytes).
    const int c = std::strcmp(a.data(), b.data());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
}  // namespace

bool vux_string_less(const vux_string& a, const vux_string& b) { return compare(a, b) < 0; }
bool vux_string_greater(const vux_string& a, const vux_string& b) { return compare(a, b) > 0; }
bool vux_string_less_equal(const vux_string& a, const vux_string& b) { return compare(a, b) <= 0; }
bool vux_string_greater_equal(const vux_string& a, const vux_string& b) { return compare(a, b) >= 0; }
