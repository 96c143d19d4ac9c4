#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "core/vux_object.h"
#include "core/vux_text_block.h"

class vux_string;

// A counted UTF-16 text (16-bit units on every platform).
class vux_unicode : public vux_object {
public:
    vux_unicode() = default;
    vux_unicode(const char16_t* units, int32_t count) : text_(units, count) {}
    vux_unicode(const char16_t* text);
    explicit vux_unicode(std::u16string_view text) : text_(text.data(), int32_t(text.size())) {}
    vux_unicode(const vux_unicode&) = default;
    vux_unicode& operator=(const vux_unicode&) = default;
    vux_unicode(vux_unicode&&) noexcept = default;
    vux_unicode& operator=(vux_unicode&&) noexcept = default;
    ~vux_unicode() override;

    void read(vux_reader& reader) override;
    void write(vux_writer& writer) const override;

    int32_t length() const { return text_.length(); }
    int32_t capacity() const { return text_.capacity(); }
    bool empty() const { return text_.empty(); }
    const char16_t* units() const { return text_.data(); }
    std::u16string_view view() const { return {units(), size_t(length())}; }
    // 0 for an index outside the text.
    char16_t unit_at(int32_t i) const { return text_.at(i); }

    vux_unicode& clear();
    // Only within the capacity (false otherwise).
    bool set_length(int32_t n) { return text_.set_length(n); }
    vux_unicode& assign(const vux_unicode& other);
    vux_unicode& assign(const char16_t* units, int32_t count);
    vux_unicode& assign(const char16_t* text);
    vux_unicode& append(const vux_unicode& other);
    vux_unicode& append(const char16_t* units, int32_t count);
    int32_t append_unit(char16_t u);
    void prepend_unit(char16_t u);
    int32_t find_unit(char16_t u) const;
    // Makes room for a text of total units in all (for callers that know the
    // final size and then append piece by piece).
    void reserve(int32_t total) { text_.reserve_total(total); }

    bool is_valid_name() const;

    // UTF-16 to UTF-8, unit by unit: each surrogate becomes its own
    // three-byte sequence.
    void to_utf8(vux_string& target) const;
    vux_string to_utf8_string() const;

private:
    vux_text_block<char16_t, 4> text_;
};

bool vux_unicode_equal(const vux_unicode& a, const vux_unicode& b);
inline bool operator==(const vux_unicode& a, const vux_unicode& b) { return vux_unicode_equal(a, b); }
