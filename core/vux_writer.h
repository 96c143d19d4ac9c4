#pragma once
#include <cstdint>
#include "core/vux_buffer.h"
#include "core/vux_object.h"

class vux_string;
class vux_unicode;

// Appends positional big-endian fields to a caller's buffer (cleared on
// construction).
class vux_writer : public vux_object {
public:
    explicit vux_writer(vux_buffer& target);

    vux_buffer& buffer() const { return *target_; }
    // True once the buffer refused to grow: what was written is incomplete
    // and must not be sent or stored.
    bool failed() const { return target_->overflowed(); }

    void write_int32(int32_t v);
    void write_int16(int32_t v);  // the low 16 bits
    void write_byte(int32_t v);   // the low 8 bits
    // int32 length, then the bytes when the length is above 0.
    void write_bytes(const void* data, int32_t length);
    void write_string(const vux_string& s);
    void write_buffer(const vux_link& view);
    void write_unicode(const vux_unicode& u);
    void write_header(uint8_t b, int32_t v);
    void write_header_default() { write_header(0, 0); }
    void write_trailer();
    vux_writer& put_object(const vux_object& o);
    vux_writer& put_int32(int32_t v);

    // Frames a message into out: header, type code, body, trailer. False,
    // and out left empty, when the frame does not fit in a buffer.
    static bool frame(const vux_object& message, vux_buffer& out);

private:
    vux_buffer* target_;
};
