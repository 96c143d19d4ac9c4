#include "client/contacts/orbel_contact_table.h"

#include <algorithm>

#include "desktop/orbel_contact_key.h"
#include "desktop/records/vux_desktop_item_state.h"

namespace {
constexpr int32_t icon_count = 2;
}

void orbel_contact_table::fill(const vux_desktop_contact& table) {
    holder_.entries.clear();
    holder_.entries.append_view(table.entries);
    rows_.clear();
    for (int32_t i = 0; i < holder_.entry_count(); ++i) {
        const int32_t state = holder_.state_of(i);
        if (state == vux_desktop_state_deleted || state == vux_desktop_state_dropped) continue;
        rows_.push_back({holder_.name_of(i), holder_.key_of(i), holder_.text_of(i), holder_.icon_of(i, icon_count)});
    }
}

int orbel_contact_table::live_entry(const vux_string& key) const {
    for (int32_t i = holder_.entry_count() - 1; i >= 0; --i) {
        if (!(holder_.key_of(i) == key)) continue;
        const int32_t state = holder_.state_of(i);
        if (state != vux_desktop_state_deleted && state != vux_desktop_state_dropped) return i;
    }
    return -1;
}

void orbel_contact_table::retire(int entry) {
    if (entry < 0) return;
    holder_.set_state(entry, holder_.state_of(entry) == vux_desktop_state_added ? vux_desktop_state_dropped
                                                                                : vux_desktop_state_deleted);
}

orbel_contact_table::added orbel_contact_table::add_one(const vux_unicode& name, const vux_string& value) {
    if (full()) return added::full;
    const orbel_contact_key k = orbel_make_contact_key(value);
    // The entry keeps at most 23 units of a name; the row shows what is kept,
    // and a longer name imported again is the same name.
    const vux_unicode kept(name.units(), std::min(name.length(), vux_desktop_contact::name_max_units));
    const auto same_key = std::find_if(rows_.begin(), rows_.end(), [&](const row& r) { return r.key == k.key; });
    if (same_key != rows_.end()) {
        if (same_key->name == kept) return added::unchanged;
        rows_.erase(same_key);
    }
    retire(live_entry(k.key));
    holder_.append_entry(kept, k.key, k.shown);
    rows_.push_back({kept, k.key, k.shown, 0});
    return added::added;
}

int orbel_contact_table::selection_after_delete(const std::vector<int>& selected, int count_after) {
    if (count_after <= 0) return -1;
    if (selected.empty()) return 0;
    const int last = selected.back() - int(selected.size() - 1);  // rows before it were gone by then
    return std::clamp(last, 0, count_after - 1);
}

int orbel_contact_table::delete_rows(std::vector<int> selected) {
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.erase(
        std::remove_if(selected.begin(), selected.end(), [&](int i) { return i < 0 || i >= int(rows_.size()); }),
        selected.end());
    for (auto index = selected.rbegin(); index != selected.rend(); ++index) {
        retire(live_entry(rows_[size_t(*index)].key));
        rows_.erase(rows_.begin() + *index);
    }
    return selection_after_delete(selected, int(rows_.size()));
}
