// Positional writer and reader.
#include "core/vux_be32.h"
#include "core/vux_buffer.h"
#include "core/vux_reader.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "core/vux_writer.h"
#include <cstring>

namespace {
const uint8_t frame_magic[4] = {'v', 'u', 'x', '+'};
const uint8_t frame_trailer[4] = {'+', 'x', 'u', 'v'};
}  // namespace

// ---- vux_writer ----

vux_writer::vux_writer(vux_buffer& target) : target_(&target) { target_->clear(); }

void vux_writer::write_int32(int32_t v) { target_->append_be32(v); }

void vux_writer::write_int16(int32_t v) {
    uint16_t u = uint16_t(uint32_t(v));
    target_->append_byte(uint8_t(u >> 8));
    target_->append_byte(uint8_t(u));
}

void vux_writer::write_byte(int32_t v) { target_->append_byte(uint8_t(uint32_t(v))); }

void vux_writer::write_bytes(const void* data, int32_t length) {
    write_int32(length);
    if (length > 0 && data) target_->append_bytes(data, length);
}

void vux_writer::write_string(const vux_string& s) { write_bytes(s.data(), s.length()); }
void vux_writer::write_buffer(const vux_link& view) { write_bytes(view.data(), view.length()); }

void vux_writer::write_unicode(const vux_unicode& u) {
    write_int32(u.length());
    for (int32_t i = 0; i < u.length(); ++i) write_int16(u.units()[i]);
}

void vux_writer::write_header(uint8_t b, int32_t v) {
    target_->append_bytes(frame_magic, 4);
    target_->append_byte(b);
    write_int32(v);
}

void vux_writer::write_trailer() { target_->append_bytes(frame_trailer, 4); }

vux_writer& vux_writer::put_object(const vux_object& o) {
    o.write(*this);
    return *this;
}

vux_writer& vux_writer::put_int32(int32_t v) {
    write_int32(v);
    return *this;
}

bool vux_writer::frame(const vux_object& message, vux_buffer& out) {
    vux_writer w(out);
    w.write_header_default();
    w.write_int32(message.type_code());
    message.write(w);
    w.write_trailer();
    if (!w.failed()) return true;
    out = vux_buffer();
    return false;
}

// ---- vux_reader ----

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
    // Units are appended one by one as they are read, so a huge count costs
    // nothing beyond the bytes that are really there.
    for (int32_t i = 0; i < n && !error_; ++i) {
        int32_t u = read_int16();
        if (error_) break;
        target.append_unit(char16_t(uint16_t(u)));
    }
}

bool vux_reader::read_header() {
    if (error_ || remaining() < 9) return false;
    for (uint8_t m : frame_magic)
        if (read_byte() != m) return false;
    read_byte();
    read_int32();
    return true;
}

bool vux_reader::at_trailer() const {
    return !error_ && remaining() == 4 && std::memcmp(source_->data() + pos_, frame_trailer, 4) == 0;
}

bool vux_reader::read_trailer() {
    if (error_ || remaining() < 4) return false;
    for (uint8_t m : frame_trailer)
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
    return data && length > 8 && std::memcmp(data, frame_magic, 4) == 0;
}

uint32_t vux_reader::decode_uint32(const void* data) {
    return vux_load_be32(static_cast<const uint8_t*>(data));
}
