#include "markup/model/vux_data_list.h"
#include "core/vux_writer.h"

int32_t vux_data_list::index_of(const vux_string& name) const {
    for (int32_t i = 0; i < count(); ++i)
        if (at(i)->name == name) return i;
    return -1;
}

vux_data* vux_data_list::find(const vux_string& name) { return at(index_of(name)); }
const vux_data* vux_data_list::find(const vux_string& name) const { return at(index_of(name)); }

bool vux_data_list::remove_named(const vux_string& name) {
    const int32_t i = index_of(name);
    if (i < 0) return false;
    items_.remove_at(i);
    return true;
}

bool vux_data_list::remove_with_prefix(const vux_string& prefix) {
    if (prefix.empty()) return false;
    bool removed = false;
    for (int32_t i = count() - 1; i >= 0; --i) {
        if (at(i)->name.starts_with(prefix)) {
            items_.remove_at(i);
            removed = true;
        }
    }
    return removed;
}

bool vux_data_list::add(std::unique_ptr<vux_data>& item) {
    if (!item || index_of(item->name) >= 0) return false;
    items_.append(std::move(item));
    return true;
}

void vux_data_list::write_labels(vux_writer& w) const {
    w.write_int32(count());
    for (int32_t i = 0; i < count(); ++i) at(i)->write_label(w);
}
