#include "desktop/records/vux_desktop_brush.h"

namespace {
bool key_fits(int32_t key) { return key >= 0 && key <= 0xFF; }
}  // namespace

std::unique_ptr<vux_object> vux_desktop_brush::clone() const { return vux_clone_record(*this); }

int32_t vux_desktop_brush::find_entry(int32_t key) const {
    if (!key_fits(key)) return -1;
    for (int32_t i = 0; i < entries.count(); ++i)
        if (entry_key(entries.get(i)) == key) return i;
    return -1;
}

int32_t vux_desktop_brush::value_of(int32_t key, int32_t fallback) const {
    int32_t i = find_entry(key);
    return i < 0 ? fallback : entry_value(entries.get(i));
}

bool vux_desktop_brush::set_entry(int32_t key, int32_t value) {
    if (!key_fits(key)) return false;
    const int32_t entry = make_entry(key, value);
    int32_t i = find_entry(key);
    if (i < 0) {
        entries.append(entry);
        return true;
    }
    if (entries.get(i) == entry) return false;
    entries.set(i, entry);
    return true;
}
