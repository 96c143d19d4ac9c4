#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "core/vux_object.h"
#include "core/vux_text_block.h"

class vux_unicode;
class vux_link;

// A counted byte string (UTF-8 on the wire and in the markup runtime; also
// ASCII keys, hex digests and decimal numbers). It may hold any byte and
// always keeps a zero after the last one.
class vux_string : public vux_object {
public:
    vux_string() = default;
    vux_string(const char* data, int32_t length) : text_(data, length) {}
    vux_string(const void* data, int32_t length) : text_(static_cast<const char*>(data), length) {}
    vux_string(const char* text);
    explicit vux_string(std::string_view text) : text_(text.data(), int32_t(text.size())) {}
    vux_string(const vux_string&) = default;
    vux_string& operator=(const vux_string&) = default;
    vux_string(vux_string&&) noexcept = default;
    vux_string& operator=(vux_string&&) noexcept = default;
    ~vux_string() override;

    void read(vux_reader& reader) override;
    void write(vux_writer& writer) const override;
    // Adler-32 of the bytes with the top bit cleared; the empty string gives 1.
    int32_t hash() const override;

    int32_t length() const { return text_.length(); }
    int32_t capacity() const { return text_.capacity(); }
    bool empty() const { return text_.empty(); }
    const char* data() const { return text_.data(); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(text_.data()); }
    std::string_view view() const { return {data(), size_t(length())}; }
    std::string str() const { return std::string(view()); }
    // 0 for an index outside the text.
    uint8_t byte_at(int32_t i) const { return uint8_t(text_.at(i)); }

    vux_string& clear();
    vux_string& assign(const vux_string& other);
    vux_string& assign(const char* text);
    vux_string& assign(const char* data, int32_t length);
    vux_string& append(const vux_string& other);
    vux_string& append(const char* text);
    vux_string& append(char byte);
    vux_string& append(const char* data, int32_t length);
    // Shortens the text; a longer n is refused (false).
    bool truncate(int32_t n) { return n <= length() && text_.set_length(n < 0 ? 0 : n); }
    void reserve(int32_t total) { text_.reserve_total(total); }

    // Out-of-range positions and lengths are clamped to the text.
    vux_string substring(int32_t pos, int32_t len) const;
    vux_string left(int32_t len) const;
    vux_string right(int32_t n) const;

    vux_string& to_upper();
    vux_string& to_lower();

    int32_t find(const vux_string& other) const;
    int32_t find_char(char byte, int32_t from = 0) const;
    bool starts_with(const vux_string& prefix) const;

    bool is_identifier() const;
    bool is_mobile_number() const;
    bool is_email_address() const;
    bool is_binary_digits() const;
    int32_t count_ones() const;

    // UTF-8 to UTF-16; returns the bytes consumed.
    int32_t decode_utf8_into(vux_unicode& target) const;
    vux_unicode to_unicode() const;

    vux_link as_link() const;

private:
    vux_text_block<char, 8> text_;
};

vux_string operator+(const vux_string& a, const vux_string& b);
vux_string operator+(const char* a, const vux_string& b);
vux_string operator+(const vux_string& a, const char* b);

// Equal when the lengths and all bytes match (embedded zeros included).
bool vux_string_equal(const vux_string& a, const vux_string& b);
bool vux_string_not_equal(const vux_string& a, const vux_string& b);
bool vux_string_equals_cstr(const vux_string& a, const char* b);
// Two decimal texts (vux_decimal::is_decimal) compare by value ('9' before
// '10', any number of digits); any other pair byte-wise as 0-terminated text
// ('10' before '9a'). Mixed pairs make this no strict weak order ('2' < '10'
// < '1a' < '2'): it compares two values, it never sorts nor keys a map.
bool vux_string_less(const vux_string& a, const vux_string& b);
bool vux_string_greater(const vux_string& a, const vux_string& b);
bool vux_string_less_equal(const vux_string& a, const vux_string& b);
bool vux_string_greater_equal(const vux_string& a, const vux_string& b);

inline bool operator==(const vux_string& a, const vux_string& b) { return vux_string_equal(a, b); }
