#include "core/vux_unicode.h"
#include "core/vux_reader.h"
#include "core/vux_string.h"
#include "core/vux_utf8.h"
#include "core/vux_writer.h"

namespace {
int32_t u16_length(const char16_t* t) {
    if (!t) return 0;
    int32_t n = 0;
    while (t[n] && n < INT32_MAX) ++n;
    return n;
}
bool ascii_alnum(char16_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
}  // namespace

vux_unicode::vux_unicode(const char16_t* text) : text_(text, u16_length(text)) {}
vux_unicode::~vux_unicode() = default;

void vux_unicode::read(vux_reader& reader) { reader.read_unicode(*this); }
void vux_unicode::write(vux_writer& writer) const { writer.write_unicode(*this); }

vux_unicode& vux_unicode::clear() {
    text_.clear();
    return *this;
}
vux_unicode& vux_unicode::assign(const vux_unicode& other) {
    if (this != &other) text_.assign(other.units(), other.length());
    return *this;
}
vux_unicode& vux_unicode::assign(const char16_t* units, int32_t count) {
    text_.assign(units, count);
    return *this;
}
vux_unicode& vux_unicode::assign(const char16_t* text) {
    text_.assign(text, u16_length(text));
    return *this;
}
vux_unicode& vux_unicode::append(const vux_unicode& other) {
    text_.append(other.units(), other.length());
    return *this;
}
vux_unicode& vux_unicode::append(const char16_t* units, int32_t count) {
    text_.append(units, count);
    return *this;
}
int32_t vux_unicode::append_unit(char16_t u) {
    text_.append(&u, 1);
    return length();
}
void vux_unicode::prepend_unit(char16_t u) { text_.insert_front(u); }

int32_t vux_unicode::find_unit(char16_t u) const {
    for (int32_t i = 0; i < length(); ++i)
        if (units()[i] == u) return i;
    return -1;
}

bool vux_unicode::is_valid_name() const {
    const int32_t n = length();
    if (n < 1 || n > 23) return false;
    if (units()[0] == u' ' || units()[0] == u'.') return false;
    for (int32_t i = 0; i < n; ++i) {
        char16_t c = units()[i];
        char16_t prev = i > 0 ? units()[i - 1] : 0;
        if (c >= 0x80 || ascii_alnum(c)) continue;
        if (c == u' ') {
            if (i == n - 1 || prev == u' ') return false;
            continue;
        }
        if (c == u'.') {
            if (prev == u' ') return false;
            if (i != n - 1 && units()[i + 1] != u' ') return false;
            continue;
        }
        return false;
    }
    return true;
}

void vux_unicode::to_utf8(vux_string& target) const {
    std::string out;
    vux_utf8_encode(units(), length(), out);
    target.assign(out.data(), int32_t(out.size()));
}

vux_string vux_unicode::to_utf8_string() const {
    vux_string s;
    to_utf8(s);
    return s;
}

bool vux_unicode_equal(const vux_unicode& a, const vux_unicode& b) {
    return a.length() == b.length() && a.view() == b.view();
}
