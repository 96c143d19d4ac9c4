#include "desktop/records/vux_desktop_group_list.h"

int32_t vux_desktop_group_list::find_by_name(const vux_string& name) const {
    for (int32_t i = 0; i < groups.get_count(); ++i)
        if (vux_string_equal(groups.at(i)->name, name)) return i;
    return -1;
}

void vux_desktop_group_list::copy_to(vux_desktop_group_list& target) const {
    if (&target == this) return;
    target.text = text;
    target.groups.assign_copies(groups);
}
