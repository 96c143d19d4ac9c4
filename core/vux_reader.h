#pragma once
#include <cstdint>
#include "core/vux_link.h"
#include "core/vux_object.h"

class vux_buffer;
class vux_string;
class vux_unicode;

// Takes positional big-endian fields from a byte view. An underrun sets a
// sticky error flag; from then on every read gives 0 or an empty target, so a
// whole record can be read and the flag looked at once at the end.
class vux_reader : public vux_object {
public:
    // Deepest nesting of records that a stream may use.
    static constexpr int32_t max_depth = 32;

    explicit vux_reader(const vux_link& source);

    uint8_t read_byte();
    int32_t read_int32();
    int32_t read_int16();  // sign-extended 16-bit value
    void read_string(vux_string& target);
    void read_bytes(vux_buffer& target);
    void read_unicode(vux_unicode& target);
    bool read_header();
    bool at_trailer() const;
    bool read_trailer();
    vux_reader& get_object(vux_object& o);
    vux_reader& get_int32(int32_t& out);

    bool has_error() const { return error_; }
    int32_t remaining() const;
    int32_t position() const { return pos_; }
    const vux_link& source() const { return *source_; }

    // Fails the read on purpose (unknown code, bad count): the flag is set
    // and stays set, so the decoder stops instead of reading on out of step.
    void fail() { error_ = true; }
    // Reads an int32 count of items of at least min_item_bytes each. A count
    // of 0 or less gives 0 (no error); one that the bytes left cannot hold
    // fails the read and gives 0.
    int32_t read_count(int32_t min_item_bytes);
    // Nesting of records: enter() fails the read past max_depth.
    bool enter();
    void leave() {
        if (depth_ > 0) --depth_;
    }
    int32_t depth() const { return depth_; }

    static bool is_message(const void* data, int32_t length);
    static uint32_t decode_uint32(const void* data);

private:
    bool take(int32_t n, const uint8_t*& p);
    // Length-prefixed block: its length (0 when empty or failed) and bytes.
    int32_t take_block(const uint8_t*& p);
    const vux_link* source_;
    int32_t pos_ = 0;
    int32_t depth_ = 0;
    bool error_ = false;
};
