// String, integer and object lists.
#include <algorithm>
#include "core/vux_integer_list.h"
#include "core/vux_object_list.h"
#include "core/vux_reader.h"
#include "core/vux_string_list.h"
#include "core/vux_writer.h"

// ---- vux_string_list ----

vux_string_list::~vux_string_list() = default;

void vux_string_list::read(vux_reader& reader) {
    clear();
    int32_t n = reader.read_count(4);
    for (int32_t i = 0; i < n && !reader.has_error(); ++i) {
        vux_string s;
        reader.read_string(s);
        if (reader.has_error()) break;
        append(s);
    }
}

void vux_string_list::write(vux_writer& writer) const {
    writer.write_int32(count_);
    for (int32_t i = 0; i < count_; ++i) writer.write_string(items_[size_t(i)]);
}

const vux_string& vux_string_list::item_at(int32_t i) const {
    static const vux_string empty;
    return (i < 0 || i >= count_) ? empty : items_[size_t(i)];
}

vux_string* vux_string_list::mutable_item_at(int32_t i) {
    return (i < 0 || i >= count_) ? nullptr : &items_[size_t(i)];
}

void vux_string_list::grow() {
    if (count_ < int32_t(items_.size())) return;
    items_.resize(items_.empty() ? 128 : items_.size() * 2);
}

void vux_string_list::append(const vux_string& s) {
    vux_string copy(s);  // s may be one of our own items
    grow();
    items_[size_t(count_++)] = std::move(copy);
}

void vux_string_list::append_unique(const vux_string& s) {
    if (find(s) < 0) append(s);
}

void vux_string_list::append_all(const vux_string_list& other) {
    const int32_t n = other.count();  // other may be this list
    for (int32_t i = 0; i < n; ++i) append(other.item_at(i));
}

void vux_string_list::assign(const vux_string_list& other) {
    if (this == &other) return;
    clear();
    append_all(other);
}

void vux_string_list::insert_at(int32_t i, const vux_string& s) {
    i = std::clamp(i, 0, count_);
    append(s);
    std::rotate(items_.begin() + i, items_.begin() + count_ - 1, items_.begin() + count_);
}

vux_string vux_string_list::take_at(int32_t i) {
    if (i < 0 || i >= count_) return {};
    vux_string out = std::move(items_[size_t(i)]);
    std::rotate(items_.begin() + i, items_.begin() + i + 1, items_.begin() + count_);
    --count_;
    return out;
}

int32_t vux_string_list::find(const vux_string& s) const {
    for (int32_t i = 0; i < count_; ++i)
        if (vux_string_equal(items_[size_t(i)], s)) return i;
    return -1;
}

bool vux_string_list::remove(const vux_string& s) {
    int32_t i = find(s);
    if (i < 0) return false;
    take_at(i);
    return true;
}

void vux_string_list::split_lines(const vux_link& view) {
    const uint8_t* p = view.data();
    const int32_t n = view.length();
    int32_t start = -1;
    for (int32_t i = 0; i < n; ++i) {
        uint8_t b = p[i];
        if ((i == 0 && b == 0xEF) || (i == 1 && b == 0xBB) || (i == 2 && b == 0xBF)) continue;
        if (b == '\r' || b == '\n') {
            if (start >= 0) append(vux_string(p + start, i - start));
            start = -1;
        } else if (start < 0) {
            start = i;
        }
    }
    if (start >= 0) append(vux_string(p + start, n - start));
}

// ---- vux_integer_list ----

vux_integer_list::~vux_integer_list() = default;

void vux_integer_list::read(vux_reader& reader) {
    clear();
    int32_t n = reader.read_count(4);
    for (int32_t i = 0; i < n && !reader.has_error(); ++i) {
        int32_t v = reader.read_int32();
        if (reader.has_error()) break;
        append(v);
    }
}

void vux_integer_list::write(vux_writer& writer) const {
    writer.write_int32(get_count());
    for (int32_t v : values_) writer.write_int32(v);
}

bool vux_integer_list::set(int32_t i, int32_t v) {
    if (i < 0 || i >= get_count()) return false;
    values_[size_t(i)] = v;
    return true;
}

void vux_integer_list::append(int32_t v) {
    if (get_count() == capacity_) {
        capacity_ = capacity_ == 0 ? 128 : capacity_ * 2;
        values_.reserve(size_t(capacity_));
    }
    values_.push_back(v);
}

int32_t vux_integer_list::index_of(int32_t v) const {
    auto it = std::find(values_.begin(), values_.end(), v);
    return it == values_.end() ? -1 : int32_t(it - values_.begin());
}

int32_t vux_integer_list::remove_at(int32_t i) {
    if (i < 0 || i >= get_count()) return 0;
    int32_t v = values_[size_t(i)];
    values_.erase(values_.begin() + i);
    return v;
}

void vux_integer_list::assign(const vux_integer_list& other) {
    if (this == &other) return;
    clear();
    for (int32_t v : other.values_) append(v);
}

void vux_integer_list::release() {
    values_.clear();
    values_.shrink_to_fit();
    capacity_ = 0;
}

// ---- vux_object_list ----

vux_object_list::~vux_object_list() = default;

void vux_object_list::write(vux_writer& writer) const {
    writer.write_int32(get_count());
    for (const auto& item : items_) {
        if (!item) continue;  // never stored: append refuses null items
        int32_t code = item->type_code();
        if (code != 0) writer.write_int32(code);
        item->write(writer);
    }
}

void vux_object_list::note_growth() {
    if (get_count() == capacity_) capacity_ = capacity_ == 0 ? 32 : capacity_ * 2;
}

void vux_object_list::append(std::unique_ptr<vux_object> item) {
    if (!item) return;
    note_growth();
    items_.push_back(std::move(item));
}

void vux_object_list::insert_at(int32_t i, std::unique_ptr<vux_object> item) {
    if (!item) return;
    note_growth();
    i = std::clamp(i, 0, get_count());
    items_.insert(items_.begin() + i, std::move(item));
}

std::unique_ptr<vux_object> vux_object_list::remove_at(int32_t i) {
    if (i < 0 || i >= get_count()) return nullptr;
    auto item = std::move(items_[size_t(i)]);
    items_.erase(items_.begin() + i);
    return item;
}

int32_t vux_object_list::find(const char* name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->matches(name)) return int32_t(i);
    return -1;
}

int32_t vux_object_list::index_of(const vux_object* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return int32_t(i);
    return -1;
}

void vux_object_list::delete_all() {
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
}

std::vector<std::unique_ptr<vux_object>> vux_object_list::take_all() {
    auto out = std::move(items_);
    items_.clear();
    return out;
}
