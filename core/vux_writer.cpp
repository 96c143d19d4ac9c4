// Positional writer: big-endian fields appended to a buffer, and frames.
#include "core/vux_writer.h"
#include <climits>
#include <cstring>
#include "core/vux_be32.h"
#include "core/vux_buffer.h"
#include "core/vux_frame_marks.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"

vux_writer::vux_writer(vux_buffer& target) : target_(&target) { target_->clear(); }

void vux_writer::write_int32(int32_t v) { target_->append_be32(v); }

void vux_writer::write_int16(int32_t v) {
    uint16_t u = uint16_t(uint32_t(v));
    target_->append_byte(uint8_t(u >> 8));
    target_->append_byte(uint8_t(u));
}

void vux_writer::write_byte(int32_t v) { target_->append_byte(uint8_t(uint32_t(v))); }

void vux_writer::write_bytes(const void* data, int32_t length) {
    // The length and the bytes in one step when the buffer can take both and
    // the bytes are not its own (growth would move them).
    const uint8_t* src = static_cast<const uint8_t*>(data);
    const uint8_t* own = target_->data();
    const bool inside = own && src >= own && src < own + target_->capacity();
    if (length > 0 && src && !inside && length <= INT32_MAX - 4) {
        const int32_t at = target_->length();
        if (target_->extend(4 + length)) {
            uint8_t* p = target_->pointer() + at;
            vux_store_be32(p, uint32_t(length));
            std::memcpy(p + 4, src, size_t(length));
            return;
        }
    }
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
    target_->append_bytes(vux_frame_magic, 4);
    target_->append_byte(b);
    write_int32(v);
}

void vux_writer::write_trailer() { target_->append_bytes(vux_frame_trailer, 4); }

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
