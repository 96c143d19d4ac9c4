#include "markup/model/vux_brush.h"

void vux_brush::fields(vux_field_visitor& v) { v.integers("entries", entries); }

int32_t vux_brush::index_of(int32_t key) const {
    for (int32_t i = 0; i < entries.count(); ++i)
        if (key_of(entries.get(i)) == key) return i;
    return -1;
}

bool vux_brush::get(int32_t key, int32_t& out) const {
    const int32_t i = index_of(key);
    if (i < 0) return false;
    out = value_of(entries.get(i));
    return true;
}

void vux_brush::set(int32_t key, int32_t value) {
    // The entry stores the key as a signed byte: look for that form, so a key
    // of 130 replaces the entry that index_of(-126) finds.
    const int32_t entry = pack(key, value);
    const int32_t i = index_of(key_of(entry));
    if (i >= 0)
        entries.set(i, entry);
    else
        entries.append(entry);
}

void vux_brush::merge(const vux_brush& other) {
    const int32_t n = other.entries.count();  // other may be this brush
    for (int32_t i = 0; i < n; ++i) {
        const int32_t e = other.entries.get(i);
        set(key_of(e), value_of(e));
    }
}
