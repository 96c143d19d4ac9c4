#include "core/vux_expand.h"
#include <cstring>

namespace {

constexpr uint8_t packed_magic[4] = {'v', 'u', 'x', '-'};
constexpr int32_t first_free = 256;
constexpr int32_t last_definable = 4094;

// 12-bit codes, most significant bit first. A code that the source does not
// hold whole ends the stream, as the end code does: a packer pads its last
// byte, and those pad bits are no code.
class code_reader {
public:
    code_reader(const uint8_t* data, int32_t length, int32_t offset)
        : p_(data + offset), end_(data + length) {}

    int32_t next() {
        while (count_ <= 24 && p_ < end_) {
            bits_ |= uint32_t(*p_++) << (24 - count_);
            count_ += 8;
        }
        if (count_ < 12) return vux_expand::end_code;
        const int32_t code = int32_t(bits_ >> 20);
        bits_ <<= 12;
        count_ -= 12;
        return code;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
    uint32_t bits_ = 0;
    int32_t count_ = 0;
};

}  // namespace

bool vux_expand::is_packed(const void* data, int32_t length) {
    return data && length > header_length && std::memcmp(data, packed_magic, 4) == 0;
}

void vux_expand::allocate_tables() {
    free_tables();
    stack_ = std::make_unique<uint8_t[]>(table_size);
    prefix_ = std::make_unique<uint16_t[]>(table_size);
    suffix_ = std::make_unique<uint8_t[]>(table_size);
}

void vux_expand::free_tables() {
    stack_.reset();
    prefix_.reset();
    suffix_.reset();
}

vux_expand::result vux_expand::expand(const vux_link& source, int32_t offset, vux_buffer& out, int32_t max_output) {
    if (offset < 0 || offset > source.length()) return result::bad_offset;
    if (!stack_ || !prefix_ || !suffix_) allocate_tables();
    const int32_t start_length = out.length();
    const int64_t limit = int64_t(start_length) + (max_output > 0 ? max_output : 0);
    auto fail = [&](result r) {
        out.set_length(start_length);
        return r;
    };

    code_reader codes(source.data(), source.length(), offset);
    int32_t previous = codes.next();
    if (previous == end_code) return fail(result::empty);
    if (previous >= first_free) return fail(result::bad_first_code);
    if (limit <= start_length) return fail(result::too_large);
    out.append_byte(uint8_t(previous));
    uint8_t previous_first = uint8_t(previous);
    int32_t next_free = first_free;

    uint8_t* const stack = stack_.get();
    uint8_t* const top = stack + table_size;  // strings are written backwards from here
    for (;;) {
        const int32_t code = codes.next();
        if (code == end_code) break;
        if (code > next_free) return fail(result::bad_code);

        uint8_t* sp = top;
        int32_t walk = code;
        if (code == next_free) {
            // Not yet defined: the previous string followed by its own first byte.
            *--sp = previous_first;
            walk = previous;
        }
        // Every entry below next_free was defined with a prefix below
        // itself, so the walk ends; the bound guards the stack all the same.
        while (walk >= first_free) {
            if (sp == stack) return fail(result::chain_too_long);
            *--sp = suffix_[walk];
            walk = prefix_[walk];
        }
        if (sp == stack) return fail(result::chain_too_long);
        *--sp = uint8_t(walk);

        const int32_t n = int32_t(top - sp);
        if (int64_t(out.length()) + n > limit) return fail(result::too_large);
        out.append_bytes(sp, n);
        if (out.overflowed()) return fail(result::too_large);

        const uint8_t first = *sp;
        if (next_free <= last_definable) {
            prefix_[next_free] = uint16_t(previous);
            suffix_[next_free] = first;
            ++next_free;
        }
        previous = code;
        previous_first = first;
    }
    return result::ok;
}

vux_expand::result vux_expand::unpack(const vux_link& packed, vux_buffer& out, int32_t max_output) {
    out.clear();
    if (!is_packed(packed.data(), packed.length())) return result::empty;
    vux_expand expander;
    expander.allocate_tables();
    return expander.expand(packed, header_length, out, max_output);
}
