#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

// Storage shared by the byte and UTF-16 strings: a counted text with a
// capacity and a terminating zero always kept after the last unit. A text
// that never held a unit owns no block: it reads as a shared zero unit, so
// the many empty fields of a decoded record cost no allocation.
//  - building a text of n units: capacity 0 for n = 0, else the smallest of
//    256, 512, 1024, ... that holds n;
//  - growing for an append to n: (n / Step + 1) * Step, at least 256.
template <class Unit, int32_t Step>
class vux_text_block {
public:
    static constexpr int64_t max_length = int64_t(1) << 30;

    vux_text_block() = default;
    vux_text_block(const Unit* p, int32_t n) { assign(p, n); }
    vux_text_block(const vux_text_block& o) { assign(o.data(), o.length()); }
    vux_text_block& operator=(const vux_text_block& o) {
        if (this != &o) assign(o.data(), o.length());
        return *this;
    }
    vux_text_block(vux_text_block&& o) noexcept : buf_(std::move(o.buf_)), len_(o.len_), cap_(o.cap_) {
        o.len_ = 0;
        o.cap_ = 0;
    }
    vux_text_block& operator=(vux_text_block&& o) noexcept {
        if (this != &o) {
            buf_ = std::move(o.buf_);
            len_ = o.len_;
            cap_ = o.cap_;
            o.len_ = 0;
            o.cap_ = 0;
        }
        return *this;
    }

    int32_t length() const { return len_; }
    int32_t capacity() const { return cap_; }
    bool empty() const { return len_ == 0; }
    const Unit* data() const { return buf_ ? buf_.get() : empty_text(); }
    // Null while no block is owned (the text is then empty).
    Unit* mutable_data() { return buf_.get(); }
    Unit at(int32_t i) const { return (i < 0 || i >= len_) ? Unit(0) : buf_[size_t(i)]; }

    void clear() {
        len_ = 0;
        if (buf_) buf_[0] = 0;
    }
    // Only within the capacity; the unit after the text becomes 0.
    bool set_length(int32_t n) {
        if (n < 0 || n > cap_) return false;
        len_ = n;
        if (buf_) buf_[size_t(n)] = 0;
        return true;
    }

    void assign(const Unit* p, int32_t n) {
        if (!p || n < 0) n = 0;
        if (n > max_length) n = 0;
        if (n == 0) {
            clear();
            return;
        }
        if (buf_ && n <= cap_) {
            if (n > 0) std::memmove(buf_.get(), p, size_t(n) * sizeof(Unit));
        } else {
            int32_t cap = build_capacity(n);
            buf_ = fresh_block(cap, p, n, nullptr, 0);
            cap_ = cap;
        }
        len_ = n;
        buf_[size_t(n)] = 0;
    }

    void append(const Unit* p, int32_t n) {
        if (!p || n <= 0) return;
        if (int64_t(len_) + n > max_length) return;
        int32_t total = len_ + n;
        if (total > cap_) {
            // p may point into our own text, so copy before freeing.
            int32_t cap = std::max<int32_t>(int32_t((total / Step + 1) * Step), 256);
            buf_ = fresh_block(cap, buf_.get(), len_, p, n);
            cap_ = cap;
        } else {
            std::memmove(buf_.get() + len_, p, size_t(n) * sizeof(Unit));
        }
        len_ = total;
        buf_[size_t(len_)] = 0;
    }

    // Makes room for n units in all (used by concatenations that know the size).
    void reserve_total(int32_t n) {
        if (n <= cap_ || n > max_length) return;
        int32_t cap = build_capacity(n);
        buf_ = fresh_block(cap, buf_.get(), len_, nullptr, 0);
        cap_ = cap;
    }

    void insert_front(Unit u) {
        Unit one = u;
        append(&one, 1);
        std::memmove(buf_.get() + 1, buf_.get(), size_t(len_ - 1) * sizeof(Unit));
        buf_[0] = u;
    }

    bool same_as(const vux_text_block& o) const {
        return len_ == o.len_ && (len_ == 0 || std::memcmp(data(), o.data(), size_t(len_) * sizeof(Unit)) == 0);
    }

private:
    static int32_t build_capacity(int32_t n) {
        if (n <= 0) return 0;
        int64_t cap = 256;
        while (cap < n) cap *= 2;
        return int32_t(std::min<int64_t>(cap, max_length));
    }
    // A block of cap + 1 units: a's n units, then b's m, then zeros to the
    // end, so no unit is written twice.
    static std::unique_ptr<Unit[]> fresh_block(int32_t cap, const Unit* a, int32_t n, const Unit* b, int32_t m) {
        auto fresh = std::make_unique_for_overwrite<Unit[]>(size_t(cap) + 1);
        if (n > 0) std::memcpy(fresh.get(), a, size_t(n) * sizeof(Unit));
        if (m > 0) std::memcpy(fresh.get() + n, b, size_t(m) * sizeof(Unit));
        const size_t used = size_t(std::max(n, 0) + std::max(m, 0));
        std::memset(static_cast<void*>(fresh.get() + used), 0, (size_t(cap) + 1 - used) * sizeof(Unit));
        return fresh;
    }
    static const Unit* empty_text() {
        static const Unit zero = 0;
        return &zero;
    }

    std::unique_ptr<Unit[]> buf_;
    int32_t len_ = 0;
    int32_t cap_ = 0;
};
