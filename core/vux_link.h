#pragma once
#include <cstdint>
#include "core/vux_object.h"

// A non-owning view of caller memory. A function that only reads bytes takes
// a vux_link, so it accepts views, memory blocks and buffers alike.
class vux_link : public vux_object {
public:
    vux_link() = default;
    vux_link(const void* data, int32_t length);
    vux_link(const vux_link&) = default;
    vux_link& operator=(const vux_link&) = default;
    ~vux_link() override;

    void write(vux_writer& writer) const override;
    // Forgets the view (frees nothing).
    virtual void reset();

    const uint8_t* data() const { return data_; }
    int32_t length() const { return length_; }
    bool empty() const { return length_ <= 0; }
    // Byte at i; 0 for an index outside the view (indices may come off the wire).
    uint8_t byte_at(int32_t i) const;
    // Sets the length field alone. A view can only be shortened: n is clamped
    // to 0..length, since the bytes beyond the view are not known to exist.
    virtual void set_length(int32_t n);
    void set_view(const void* data, int32_t length);

    // Big-endian int32 at pos; 0 when the four bytes are not all inside.
    int32_t read_be32(int32_t pos) const;
    // First index >= from where the sequence occurs; -1 when none, when the
    // sequence is empty or when it cannot fit at or after from.
    int32_t find_bytes(int32_t from, const void* seq, int32_t seq_length) const;
    // True when the lengths differ, or the pointers differ and the bytes differ.
    bool differs_from(const vux_link& other) const;

    // Structure of UTF-8 with sequences of 1 to 4 bytes (continuation bytes checked).
    bool is_utf8() const;
    // Double-byte Chinese text (lead 0xA1..0xF7, trail 0xA1..0xFE).
    bool is_gb2312() const;

protected:
    const uint8_t* data_ = nullptr;
    int32_t length_ = 0;
};
