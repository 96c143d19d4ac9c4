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
    code_reader(const uint8_t* data, int32_t length, int32_t offset) : p_(data + offset), end_(data + length) {}

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
    offset_ = std::make_unique<int32_t[]>(table_size);
    length_ = std::make_unique<uint16_t[]>(table_size);
}

void vux_expand::free_tables() {
    offset_.reset();
    length_.reset();
}

// Every dictionary string is the previous string followed by the first byte
// of the one after it, and both were written to the output one after the
// other. So an entry is kept as the place where its string already lies in
// the output (offset from the output's start and length), and a code is
// expanded by copying those bytes instead of walking its prefix chain. An
// entry's string is at most 3840 bytes (entry n holds at most n - 254), far
// below the 4096 bytes any walk could take.
vux_expand::result vux_expand::expand(const vux_link& source, int32_t offset, vux_buffer& out, int32_t max_output) {
    if (offset < 0 || offset > source.length()) return result::bad_offset;
    if (!offset_ || !length_) allocate_tables();
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
    // A buffer that refused to grow before this call keeps its flag: the
    // first string after the first byte then fails, as a refused append would.
    const bool refused_before = out.overflowed();
    out.append_byte(uint8_t(previous));
    if (out.length() != start_length + 1) return fail(result::too_large);

    int32_t* const offsets = offset_.get();
    uint16_t* const lengths = length_.get();
    int32_t next_free = first_free;
    int32_t previous_at = start_length;  // where the previous string lies in out
    int32_t previous_length = 1;
    int32_t at = start_length + 1;  // the output's length, kept here while writing
    uint8_t* base = out.pointer();
    int64_t room = out.capacity();

    for (;;) {
        const int32_t code = codes.next();
        if (code == end_code) break;
        if (code > next_free) return fail(result::bad_code);

        int32_t n;
        int32_t from;
        if (code < first_free) {
            n = 1;
            from = -1;
        } else if (code < next_free) {
            n = lengths[code];
            from = offsets[code];
        } else {
            // Not yet defined: the previous string followed by its own first byte.
            n = previous_length + 1;
            from = previous_at;
        }
        if (n > table_size) return fail(result::chain_too_long);
        if (int64_t(at) + n > limit) return fail(result::too_large);
        if (refused_before) return fail(result::too_large);
        if (int64_t(at) + n > room) {
            out.set_length(at);
            if (!out.reserve(n)) return fail(result::too_large);
            base = out.pointer();
            room = out.capacity();
        }

        uint8_t* const to = base + at;
        if (from < 0) {
            *to = uint8_t(code);
        } else {
            // The string lies wholly before `to`, except the repeated first
            // byte of a string not yet defined, which is set after the copy.
            const uint8_t* const src = base + from;
            const int32_t copy = code == next_free ? n - 1 : n;
            if (int64_t(at) + copy + 16 <= room) {
                // Sixteen bytes at a time; the bytes past the string land in
                // spare capacity and are overwritten by what follows. Each
                // piece is read whole before it is written, and what it reads
                // past the string's end is never used.
                for (int32_t i = 0; i < copy; i += 16) {
                    uint8_t piece[16];
                    std::memcpy(piece, src + i, 16);
                    std::memcpy(to + i, piece, 16);
                }
            } else {
                std::memmove(to, src, size_t(copy));
            }
            if (code == next_free) to[copy] = *src;
        }

        if (next_free <= last_definable) {
            offsets[next_free] = previous_at;
            lengths[next_free] = uint16_t(previous_length + 1);
            ++next_free;
        }
        previous_at = at;
        previous_length = n;
        at += n;
    }
    out.set_length(at);
    return result::ok;
}

vux_expand::result vux_expand::unpack(const vux_link& packed, vux_buffer& out, int32_t max_output) {
    out.clear();
    if (!is_packed(packed.data(), packed.length())) return result::empty;
    vux_expand expander;
    expander.allocate_tables();
    return expander.expand(packed, header_length, out, max_output);
}
