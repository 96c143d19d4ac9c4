#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"

// A growable list of int32 values (first allocation 128, doubling).
class vux_integer_list : public vux_object {
public:
    vux_integer_list() = default;
    vux_integer_list(const vux_integer_list& other) : vux_object() { assign(other); }
    vux_integer_list& operator=(const vux_integer_list& other) {
        if (this != &other) assign(other);
        return *this;
    }
    ~vux_integer_list() override;

    void read(vux_reader& reader) override;
    void write(vux_writer& writer) const override;

    int32_t get_count() const { return int32_t(values_.size()); }
    int32_t count() const { return get_count(); }
    int32_t capacity() const { return capacity_; }
    // 0 for an index outside the list; set ignores such an index.
    int32_t get(int32_t i) const { return (i < 0 || i >= get_count()) ? 0 : values_[size_t(i)]; }
    bool set(int32_t i, int32_t v);
    void append(int32_t v);
    int32_t index_of(int32_t v) const;
    // Removes and returns value i; 0 for an index outside the list.
    int32_t remove_at(int32_t i);
    void clear() { values_.clear(); }
    void assign(const vux_integer_list& other);
    void release();
    const std::vector<int32_t>& values() const { return values_; }

private:
    std::vector<int32_t> values_;
    int32_t capacity_ = 0;
};
