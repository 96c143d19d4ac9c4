#pragma once
#include <cstdint>
#include <memory>
#include <vector>
#include "core/vux_object.h"

// An owning list of objects of any class. Writes its count, then per item its
// type code (when not 0) and the item. It is not read generically: the record
// that holds one knows the item class and reads the items itself.
class vux_object_list : public vux_object {
public:
    vux_object_list() = default;
    vux_object_list(const vux_object_list&) = delete;
    vux_object_list& operator=(const vux_object_list&) = delete;
    vux_object_list(vux_object_list&&) noexcept = default;
    vux_object_list& operator=(vux_object_list&&) noexcept = default;
    ~vux_object_list() override;

    void write(vux_writer& writer) const override;

    int32_t get_count() const { return int32_t(items_.size()); }
    int32_t count() const { return get_count(); }
    int32_t capacity() const { return capacity_; }
    // Null for an index outside the list.
    vux_object* get(int32_t i) const { return (i < 0 || i >= get_count()) ? nullptr : items_[size_t(i)].get(); }
    vux_object* item_at(int32_t i) const { return get(i); }
    template <class T>
    T* get_as(int32_t i) const {
        return dynamic_cast<T*>(get(i));
    }
    void append(std::unique_ptr<vux_object> item);
    // i is clamped to 0..count (count appends).
    void insert_at(int32_t i, std::unique_ptr<vux_object> item);
    // Hands item i back to the caller; null for an index outside the list.
    std::unique_ptr<vux_object> remove_at(int32_t i);
    int32_t find(const char* name) const;
    int32_t index_of(const vux_object* item) const;
    // Ownership is explicit here: clearing destroys the items. A caller that
    // wants to keep them takes them first (remove_at, take_all).
    void clear() { items_.clear(); }
    void delete_all();
    std::vector<std::unique_ptr<vux_object>> take_all();

private:
    void note_growth();
    std::vector<std::unique_ptr<vux_object>> items_;
    int32_t capacity_ = 0;
};
