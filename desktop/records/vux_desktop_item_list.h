#pragma once
#include "core/vux_hex.h"
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_item_state.h"

// What news, notice and vote lists share: a counter that hands out item keys
// and the items, each beginning with time and state and carrying its key.
template <class T>
class vux_desktop_item_list : public vux_record {
public:
    int32_t key_counter = 0;
    vux_record_list<T> items;

    void fields(vux_field_visitor& v) override {
        v.int32("key_counter", key_counter);
        items.visit(v, "items");
    }

    // Index of the first item whose key equals key; -1 when none.
    int32_t find_by_key(const vux_string& key) const {
        for (int32_t i = 0; i < items.get_count(); ++i)
            if (vux_string_equal(items.at(i)->key, key)) return i;
        return -1;
    }

    // Appends to target deep copies of the items the service must hear about.
    void export_changed(vux_desktop_item_list& target) const {
        const int32_t n = items.get_count();  // target may be this list
        for (int32_t i = 0; i < n; ++i) {
            const T& item = *items.at(i);
            if (vux_desktop_state_is_changed(item.state)) target.items.append(vux_clone_record(item));
        }
    }

    // target = the key counter and deep copies of all items.
    void copy_to(vux_desktop_item_list& target) const {
        if (&target == this) return;
        target.key_counter = key_counter;
        target.items.assign_copies(items);
    }
    void assign(const vux_desktop_item_list& source) { source.copy_to(*this); }

    // out = the counter as 8 lower-case hex digits; the counter moves on.
    void take_next_key(vux_string& out) {
        out = vux_hex::format(key_counter);
        key_counter = int32_t(uint32_t(key_counter) + 1u);  // wraps instead of overflowing
    }

protected:
    // A new item at the end of the list, stamped as added here now.
    T& add_item() {
        T& item = items.add();
        item.time = vux_desktop_now();
        item.state = vux_desktop_state_added;
        return item;
    }
};
