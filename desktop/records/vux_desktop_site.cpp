#include "desktop/records/vux_desktop_site.h"
#include <algorithm>

void vux_desktop_site::fields(vux_field_visitor& v) {
    v.int32("publish_state", publish_state);
    v.int32("options", options);
    v.int32("tray_color", tray_color);
    v.int32("column_align", column_align);
    v.int32("style", style);
    v.int32("columns", columns);
    v.int32("map_options", map_options);
    v.int32("activated", activated);
    v.int32("int9", int9);
    v.int32("int10", int10);
    v.int32("change_mask", change_mask);
    v.string("name", name);
    v.string("web_address", web_address);
    v.bytes("tray_picture", tray_picture);
    v.string("pair2_text", pair2_text);
    v.bytes("icon", icon);
    v.string("pair3_text", pair3_text);
    v.bytes("background", background);
    v.string("pair4_text", pair4_text);
    v.bytes("home_picture", home_picture);
    v.string("text1", text1);
    v.string("activation_number", activation_number);
    v.string("introduction", introduction);
    v.string("telephone", telephone);
    v.string("address", address);
    v.string("longitude", longitude);
    v.string("latitude", latitude);
    v.string("text8", text8);
    v.string("text9", text9);
    v.record("brush", brush);
    v.record("managers", managers);
    v.record("members", members);
    v.record("waiters", waiters);
    v.record("news", news);
    v.record("notices", notices);
    v.record("votes", votes);
    v.integers("share_counts", share_counts);
    v.bytes("share_data", share_data);
}

int32_t vux_desktop_site::count_share_entries() const {
    int64_t total = share_data.length() / share_entry_size;
    for (int32_t value : share_counts.values()) total += value;
    return int32_t(std::clamp<int64_t>(total, 0, INT32_MAX));
}
