#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_memory.h"

// A growable byte buffer. It owns its storage when the capacity is above 0;
// a buffer with capacity 0 and a pointer set is a borrowed view.
class vux_buffer : public vux_memory {
public:
    // No buffer grows past this; larger requests are refused and leave the
    // buffer as it was, with overflowed() set.
    static constexpr int64_t max_capacity = int64_t(1) << 30;  // 1 GiB
    static constexpr int32_t min_capacity = 4096;

    vux_buffer() = default;
    vux_buffer(const void* data, int32_t length);  // owning copy
    vux_buffer(const vux_buffer& other);           // owning copy
    vux_buffer& operator=(const vux_buffer& other);
    vux_buffer(vux_buffer&& other) noexcept;
    vux_buffer& operator=(vux_buffer&& other) noexcept;
    ~vux_buffer() override;

    void read(vux_reader& reader) override;
    // Forgets storage and view without freeing a borrowed view's bytes.
    // Owned storage is released here, so a reset never leaks.
    void reset() override;
    void set_length(int32_t n) override;  // clamped to 0..capacity for owned storage

    int32_t capacity() const { return capacity_; }
    bool owns() const { return capacity_ > 0; }
    // Sticky: a growth request past max_capacity was refused.
    bool overflowed() const { return overflowed_; }
    // The capacity reserve grows to from `capacity` for `need` bytes:
    // doubling, but clamped to max_capacity when need fits under it.
    static int64_t grown_capacity(int64_t capacity, int64_t need);

    // Room for n more bytes; false when refused.
    bool reserve(int32_t n);
    // Length n; storage grows to exactly max(n, 4096) when too small. Old bytes kept.
    bool resize(int32_t n);
    void clear() { resize(0); }
    bool extend(int32_t n);
    void assign_bytes(const void* data, int32_t length);
    void assign_from(const vux_link& view) { assign_bytes(view.data(), view.length()); }
    void assign_buffer(const vux_buffer& other) { assign_from(other); }
    void assign_copy(const vux_link& view) { assign_from(view); }
    // Makes the buffer a borrowed view of caller memory (owned storage freed first).
    void borrow(const void* data, int32_t length);

    vux_buffer& append_bytes(const void* data, int32_t length);
    vux_buffer& append_byte(uint8_t b);
    vux_buffer& append_be32(int32_t v);
    vux_buffer& append_view(const vux_link& view) { return append_bytes(view.data(), view.length()); }
    vux_buffer& append_cstr(const char* text);
    // Overwrites four bytes in place; refused (false) unless all four lie inside the length.
    bool put_be32(int32_t offset, int32_t v);

private:
    // New storage of max(capacity, 4096) bytes holding the bytes kept and,
    // when given, `more` after them; the rest is zero.
    bool grow_to(int64_t capacity, const void* more = nullptr, int32_t more_length = 0);
    void release();

    std::unique_ptr<uint8_t[]> storage_;
    int32_t capacity_ = 0;
    bool overflowed_ = false;
};
