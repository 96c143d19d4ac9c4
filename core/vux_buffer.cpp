#include "core/vux_buffer.h"
#include <algorithm>
#include <cstring>
#include <utility>
#include "core/vux_be32.h"
#include "core/vux_reader.h"

vux_buffer::vux_buffer(const void* data, int32_t length) { assign_bytes(data, length); }

vux_buffer::vux_buffer(const vux_buffer& other) : vux_memory() { assign_from(other); }

vux_buffer& vux_buffer::operator=(const vux_buffer& other) {
    if (this != &other) assign_from(other);
    return *this;
}

vux_buffer::vux_buffer(vux_buffer&& other) noexcept
    : vux_memory(), storage_(std::move(other.storage_)), capacity_(other.capacity_), overflowed_(other.overflowed_) {
    data_ = other.data_;
    length_ = other.length_;
    other.data_ = nullptr;
    other.length_ = 0;
    other.capacity_ = 0;
}

vux_buffer& vux_buffer::operator=(vux_buffer&& other) noexcept {
    if (this != &other) {
        storage_ = std::move(other.storage_);
        data_ = other.data_;
        length_ = other.length_;
        capacity_ = other.capacity_;
        overflowed_ = other.overflowed_;
        other.data_ = nullptr;
        other.length_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

vux_buffer::~vux_buffer() = default;

void vux_buffer::read(vux_reader& reader) { reader.read_bytes(*this); }

void vux_buffer::release() {
    storage_.reset();
    capacity_ = 0;
}

void vux_buffer::reset() {
    release();
    data_ = nullptr;
    length_ = 0;
}

void vux_buffer::borrow(const void* data, int32_t length) {
    reset();
    data_ = static_cast<const uint8_t*>(data);
    length_ = data ? std::max(length, 0) : 0;
}

void vux_buffer::set_length(int32_t n) {
    if (n < 0) n = 0;
    int32_t limit = owns() ? capacity_ : length_;
    length_ = std::min(n, limit);
}

bool vux_buffer::grow_to(int64_t capacity, const void* more, int32_t more_length) {
    if (capacity > max_capacity) {
        overflowed_ = true;
        return false;
    }
    capacity = std::max<int64_t>(capacity, min_capacity);
    // Only the bytes past what is copied in are cleared: a fresh block reads
    // as zeros beyond the text, and nothing is written twice.
    auto fresh = std::make_unique_for_overwrite<uint8_t[]>(size_t(capacity));
    int64_t keep = std::min<int64_t>(length_, capacity);
    if (keep > 0 && data_)
        std::memcpy(fresh.get(), data_, size_t(keep));
    else
        keep = 0;
    if (more && more_length > 0 && keep + more_length <= capacity) {
        std::memcpy(fresh.get() + keep, more, size_t(more_length));
        keep += more_length;
    }
    if (keep < capacity) std::memset(fresh.get() + keep, 0, size_t(capacity - keep));
    length_ = int32_t(keep);
    storage_ = std::move(fresh);
    data_ = storage_.get();
    capacity_ = int32_t(capacity);
    return true;
}

bool vux_buffer::reserve(int32_t n) {
    if (n < 0) return false;
    if (n == 0 && (owns() || length_ == 0)) return true;
    int64_t need = int64_t(length_) + n;
    if (owns() && need <= capacity_) return true;
    return grow_to(grown_capacity(owns() ? capacity_ : 0, need));
}

int64_t vux_buffer::grown_capacity(int64_t capacity, int64_t need) {
    int64_t cap = capacity;
    while (cap < need) cap = cap == 0 ? min_capacity : cap * 2;
    // A need that fits under the cap is met by the cap itself, never
    // refused because doubling overshot it.
    if (cap > max_capacity && need <= max_capacity) cap = max_capacity;
    return cap;
}

bool vux_buffer::resize(int32_t n) {
    if (n < 0) n = 0;
    if (n == 0 && !owns()) {  // nothing to keep and nothing to allocate
        data_ = nullptr;
        length_ = 0;
        return true;
    }
    if (!owns() || capacity_ < n) {
        if (!grow_to(n)) return false;
    }
    length_ = n;
    return true;
}

bool vux_buffer::extend(int32_t n) {
    if (!reserve(n)) return false;
    length_ += n;
    return true;
}

void vux_buffer::assign_bytes(const void* data, int32_t length) {
    if (length < 0) length = 0;
    if (data && data == data_ && length <= length_) {  // assigning a part of itself
        length_ = length;
        return;
    }
    if (!owns() || capacity_ < length) {
        // Copy first: the source may be our own storage.
        vux_buffer fresh;
        if (!fresh.grow_to(length, data, length)) {
            overflowed_ = true;
            return;
        }
        fresh.length_ = length;
        bool over = overflowed_;
        *this = std::move(fresh);
        overflowed_ = over;
        return;
    }
    if (data && length > 0) std::memmove(storage_.get(), data, size_t(length));
    length_ = length;
}

vux_buffer& vux_buffer::append_bytes(const void* data, int32_t length) {
    if (!data || length <= 0) return *this;
    const uint8_t* src = static_cast<const uint8_t*>(data);
    // The source may lie inside our own storage, which growth would free.
    if (owns() && src >= data_ && src < data_ + capacity_) {
        vux_buffer copy(src, length);
        return append_bytes(copy.data(), copy.length());
    }
    const int64_t need = int64_t(length_) + length;
    if (!owns() || need > capacity_) {
        // Growing: the old bytes and the new ones go into the new block at once.
        grow_to(grown_capacity(owns() ? capacity_ : 0, need), src, length);
        return *this;
    }
    std::memcpy(storage_.get() + length_, src, size_t(length));
    length_ += length;
    return *this;
}

vux_buffer& vux_buffer::append_byte(uint8_t b) {
    if (!reserve(1)) return *this;
    storage_[size_t(length_)] = b;
    ++length_;
    return *this;
}

vux_buffer& vux_buffer::append_be32(int32_t v) {
    if (!reserve(4)) return *this;
    vux_store_be32(storage_.get() + length_, uint32_t(v));
    length_ += 4;
    return *this;
}

vux_buffer& vux_buffer::append_cstr(const char* text) {
    if (!text) return *this;
    size_t n = std::strlen(text);
    if (n > size_t(INT32_MAX)) return *this;
    return append_bytes(text, int32_t(n));
}

bool vux_buffer::put_be32(int32_t offset, int32_t v) {
    if (!owns() || offset < 0 || length_ < 4 || offset > length_ - 4) return false;
    vux_store_be32(storage_.get() + offset, uint32_t(v));
    return true;
}
