#pragma once
#include <memory>
#include "markup/model/vux_data.h"

// The canvas's owning list of data items, looked up by name.
class vux_data_list {
public:
    int32_t count() const { return items_.get_count(); }
    vux_data* at(int32_t i) const { return static_cast<vux_data*>(items_.get(i)); }

    // First item of exactly that name, else null.
    vux_data* find(const vux_string& name);
    const vux_data* find(const vux_string& name) const;
    // Destroys the first item of that name; false when there is none.
    bool remove_named(const vux_string& name);
    // Destroys every item whose name begins with the text (an empty text
    // matches nothing); true when any went.
    bool remove_with_prefix(const vux_string& prefix);
    // Takes the item when no item of its name exists (true). Otherwise false
    // and the caller keeps the item.
    bool add(std::unique_ptr<vux_data>& item);
    // The item count, then each item's label.
    void write_labels(vux_writer& w) const;
    void clear() { items_.delete_all(); }

private:
    int32_t index_of(const vux_string& name) const;
    vux_object_list items_;
};
