#include "core/vux_link.h"
#include <cstring>
#include "core/vux_be32.h"
#include "core/vux_memory.h"
#include "core/vux_writer.h"

vux_link::vux_link(const void* data, int32_t length)
    : data_(static_cast<const uint8_t*>(data)), length_(data ? (length > 0 ? length : 0) : 0) {}

vux_link::~vux_link() = default;

void vux_link::write(vux_writer& writer) const { writer.write_bytes(data_, length_); }

void vux_link::reset() {
    data_ = nullptr;
    length_ = 0;
}

uint8_t vux_link::byte_at(int32_t i) const {
    if (i < 0 || i >= length_) return 0;
    return data_[i];
}

void vux_link::set_length(int32_t n) {
    if (n < 0) n = 0;
    if (n > length_) n = length_;
    length_ = n;
}

void vux_link::set_view(const void* data, int32_t length) {
    reset();
    data_ = static_cast<const uint8_t*>(data);
    length_ = data ? (length > 0 ? length : 0) : 0;
}

int32_t vux_link::read_be32(int32_t pos) const {
    if (pos < 0 || length_ < 4 || pos > length_ - 4) return 0;
    return static_cast<int32_t>(vux_load_be32(data_ + pos));
}

int32_t vux_link::find_bytes(int32_t from, const void* seq, int32_t seq_length) const {
    if (!seq || seq_length <= 0 || from < 0) return -1;
    if (int64_t(from) + seq_length > length_) return -1;
    const uint8_t* s = static_cast<const uint8_t*>(seq);
    for (int32_t i = from; i <= length_ - seq_length; ++i) {
        if (data_[i] == s[0] && std::memcmp(data_ + i, s, size_t(seq_length)) == 0) return i;
    }
    return -1;
}

bool vux_link::differs_from(const vux_link& other) const {
    if (length_ != other.length_) return true;
    if (data_ == other.data_ || length_ == 0) return false;
    return std::memcmp(data_, other.data_, size_t(length_)) != 0;
}

bool vux_link::is_utf8() const {
    int32_t i = 0;
    while (i < length_) {
        uint8_t b = data_[i];
        int32_t n;
        if (b < 0x80)
            n = 1;
        else if ((b & 0xE0) == 0xC0)
            n = 2;
        else if ((b & 0xF0) == 0xE0)
            n = 3;
        else if ((b & 0xF8) == 0xF0)
            n = 4;
        else
            return false;
        if (n > length_ - i) return false;
        // Continuation bytes must be 10xxxxxx: without this check most
        // double-byte Chinese text would pass as UTF-8.
        for (int32_t k = 1; k < n; ++k)
            if ((data_[i + k] & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

bool vux_link::is_gb2312() const {
    int32_t i = 0;
    while (i < length_) {
        uint8_t b = data_[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (b < 0xA1 || b > 0xF7 || i + 1 >= length_) return false;
        uint8_t t = data_[i + 1];
        if (t < 0xA1 || t > 0xFE) return false;
        i += 2;
    }
    return true;
}

uint8_t* vux_memory::pointer_at(int32_t offset) const {
    if (offset < 0 || offset > length_ || !data_) return nullptr;
    return pointer() + offset;
}
