#include "desktop/records/vux_desktop_recent_list.h"

void vux_desktop_recent_list::merge_into(vux_desktop_recent_list& target, vux_string_list& replaced) const {
    if (&target == this) return;  // every entry would replace itself
    for (int32_t i = 0; i < entries.get_count(); ++i) {
        const vux_desktop_recent& entry = *entries.at(i);
        bool removed = false;
        for (int32_t j = target.entries.get_count() - 1; j >= 0; --j) {
            if (vux_string_equal(target.entries.at(j)->key, entry.key)) {
                target.entries.remove_at(j);
                removed = true;
            }
        }
        if (removed) replaced.append(entry.key);
        target.entries.append(vux_clone_record(entry));
    }
}
