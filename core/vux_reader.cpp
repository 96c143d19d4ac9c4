// Positional reader: big-endian fields taken from a byte view, with a
// sticky error flag.
#include "core/vux_reader.h"
#include <algorithm>
#include <cstring>
#include "core/vux_be32.h"
#include "core/vux_buffer.h"
#include "core/vux_frame_marks.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"

vux_reader::vux_reader(const vux_link& source) : source_(&source) {}

int32_t vux_reader::remaining() const {
    int32_t r = source_->length() - pos_;
    return r > 0 ? r : 0;
}

bool vux_reader::take(int32_t n, const uint8_t*& p) {
    if (error_) return false;
    if (remaining() < n) {
        error_ = true;
        return false;
    }
    p = source_->data() + pos_;
    pos_ += n;
    return true;
}

uint8_t vux_reader::read_byte() {
    const uint8_t* p;
    return take(1, p) ? p[0] : 0;
}

int32_t vux_reader::read_int32() {
    const uint8_t* p;
    if (!take(4, p)) return 0;
    return int32_t(decode_uint32(p));
}

int32_t vux_reader::read_int16() {
    const uint8_t* p;
    if (!take(2, p)) return 0;
    return int16_t(uint16_t(p[0] << 8 | p[1]));
}

int32_t vux_reader::take_block(const uint8_t*& p) {
    if (error_) return 0;
    int32_t n = read_int32();
    if (error_ || n <= 0) return 0;  // a length of 0 or less is an empty block
    return take(n, p) ? n : 0;
}

void vux_reader::read_string(vux_string& target) {
    target.clear();
    const uint8_t* p = nullptr;
    if (int32_t n = take_block(p)) target.assign(reinterpret_cast<const char*>(p), n);
}

void vux_reader::read_bytes(vux_buffer& target) {
    target.clear();
    const uint8_t* p = nullptr;
    if (int32_t n = take_block(p)) target.assign_bytes(p, n);
}

void vux_reader::read_unicode(vux_unicode& target) {
    target.clear();
    if (error_) return;
    int32_t n = read_int32();
    if (n <= 0) return;
    // Room for the whole text at once, or the unit-by-unit appends would copy
    // it again at every few units; never more than the bytes left can hold,
    // so a huge count off the wire costs nothing beyond what is really there.
    target.reserve(std::min(n, remaining() / 2));
    for (int32_t i = 0; i < n && !error_; ++i) {
        int32_t u = read_int16();
        if (error_) break;
        target.append_unit(char16_t(uint16_t(u)));
    }
}

bool vux_reader::read_header() {
    if (error_ || remaining() < 9) return false;
    for (uint8_t m : vux_frame_magic)
        if (read_byte() != m) return false;
    read_byte();
    read_int32();
    return true;
}

bool vux_reader::at_trailer() const {
    return !error_ && remaining() == 4 && std::memcmp(source_->data() + pos_, vux_frame_trailer, 4) == 0;
}

bool vux_reader::read_trailer() {
    if (error_ || remaining() < 4) return false;
    for (uint8_t m : vux_frame_trailer)
        if (read_byte() != m) return false;
    return true;
}

vux_reader& vux_reader::get_object(vux_object& o) {
    o.read(*this);
    return *this;
}

vux_reader& vux_reader::get_int32(int32_t& out) {
    out = read_int32();
    return *this;
}

int32_t vux_reader::read_count(int32_t min_item_bytes) {
    int32_t n = read_int32();
    if (error_ || n <= 0) return 0;
    if (min_item_bytes < 1) min_item_bytes = 1;
    if (int64_t(n) * min_item_bytes > remaining()) {
        error_ = true;
        return 0;
    }
    return n;
}

bool vux_reader::enter() {
    if (error_) return false;
    if (depth_ >= max_depth) {
        error_ = true;
        return false;
    }
    ++depth_;
    return true;
}

bool vux_reader::is_message(const void* data, int32_t length) {
    return data && length > 8 && std::memcmp(data, vux_frame_magic, 4) == 0;
}

uint32_t vux_reader::decode_uint32(const void* data) { return vux_load_be32(static_cast<const uint8_t*>(data)); }
