#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_link.h"
#include "core/vux_object.h"
#include "core/vux_string.h"

// A growable list of string copies (first allocation 128, doubling).
class vux_string_list : public vux_object {
public:
    vux_string_list() = default;
    vux_string_list(const vux_string_list& other) : vux_object() { assign(other); }
    vux_string_list& operator=(const vux_string_list& other) {
        if (this != &other) assign(other);
        return *this;
    }
    ~vux_string_list() override;

    // Clears, then reads an int32 count and that many strings; stops at the
    // first error and never takes a count the bytes left cannot hold.
    void read(vux_reader& reader) override;
    void write(vux_writer& writer) const override;

    int32_t count() const { return count_; }
    int32_t capacity() const { return int32_t(items_.size()); }
    // An index outside the list gives an empty string.
    const vux_string& item_at(int32_t i) const;
    vux_string* mutable_item_at(int32_t i);
    const vux_string& last() const { return item_at(count_ - 1); }
    void clear() { count_ = 0; }
    void append(const vux_string& s);
    void append_cstr(const char* text) { append(vux_string(text)); }
    void append_unique(const vux_string& s);
    void append_all(const vux_string_list& other);
    void assign(const vux_string_list& other);
    // i is clamped to 0..count (count appends).
    void insert_at(int32_t i, const vux_string& s);
    // Removes and returns item i; an empty string for an index outside the list.
    vux_string take_at(int32_t i);
    int32_t find(const vux_string& s) const;
    bool remove(const vux_string& s);
    // Appends the lines of a text; CR and LF end lines, empty lines are
    // dropped, a UTF-8 byte-order mark is ignored, and a last line without a
    // line break is kept.
    void split_lines(const vux_link& view);

private:
    void grow();
    std::vector<vux_string> items_;  // size() is the capacity
    int32_t count_ = 0;
};
