#include "desktop/records/vux_desktop_contact.h"
#include <algorithm>
#include <cstring>
#include "desktop/records/vux_desktop_item_state.h"

namespace {
// Length of a zero-padded field's text: up to its first zero, at most size.
int32_t field_length(const uint8_t* p, int32_t size) {
    const void* zero = std::memchr(p, 0, size_t(size));
    return zero ? int32_t(static_cast<const uint8_t*>(zero) - p) : size;
}
}  // namespace

const uint8_t* vux_desktop_contact::entry(int32_t i) const {
    if (i < 0 || i >= entry_count()) return nullptr;
    return entries.data() + int64_t(i) * entry_size;
}

int32_t vux_desktop_contact::find_key(const vux_string& key) const {
    if (key.length() > key_size) return -1;
    uint8_t field[key_size] = {};
    if (key.length() > 0) std::memcpy(field, key.data(), size_t(key.length()));
    const int32_t n = entry_count();
    for (int32_t i = 0; i < n; ++i)
        if (std::memcmp(entry(i) + key_offset, field, key_size) == 0) return i;
    return -1;
}

void vux_desktop_contact::get_key(int32_t i, vux_string& out) const {
    out.clear();
    if (const uint8_t* e = entry(i)) out.assign(reinterpret_cast<const char*>(e + key_offset), key_size);
}

vux_string vux_desktop_contact::key_of(int32_t i) const {
    const uint8_t* e = entry(i);
    if (!e) return {};
    return vux_string(e + key_offset, field_length(e + key_offset, key_size));
}

vux_string vux_desktop_contact::text_of(int32_t i) const {
    const uint8_t* e = entry(i);
    if (!e) return {};
    return vux_string(e + text_offset, field_length(e + text_offset, text_size));
}

vux_unicode vux_desktop_contact::name_of(int32_t i) const {
    vux_unicode name;
    const uint8_t* e = entry(i);
    if (!e) return name;
    for (int32_t u = 0; u < name_size / 2; ++u) {
        const uint8_t* p = e + name_offset + 2 * u;
        char16_t unit = char16_t(p[0] | p[1] << 8);
        if (unit == 0) break;
        name.append_unit(unit);
    }
    return name;
}

int32_t vux_desktop_contact::state_of(int32_t i) const {
    const uint8_t* e = entry(i);
    return e ? e[state_offset] : 0;
}

bool vux_desktop_contact::set_state(int32_t i, int32_t state) {
    if (!entry(i) || !entries.owns()) return false;
    entries.pointer()[int64_t(i) * entry_size + state_offset] = uint8_t(state);
    return true;
}

int32_t vux_desktop_contact::icon_of(int32_t i, int32_t icon_count) const {
    const uint8_t* e = entry(i);
    if (!e) return 0;
    const int32_t icon = int8_t(e[icon_offset]);
    return icon >= 0 && icon < icon_count ? icon : 0;
}

void vux_desktop_contact::drop_partial_tail() {
    const int32_t whole = entry_count() * entry_size;
    if (entries.length() != whole) entries.set_length(whole);
}

void vux_desktop_contact::append_entry(const vux_unicode& name, const vux_string& key, const vux_string& text) {
    uint8_t e[entry_size] = {};
    std::memcpy(e + key_offset, key.data(), size_t(std::clamp(key.length(), 0, key_size)));
    std::memcpy(e + text_offset, text.data(), size_t(std::clamp(text.length(), 0, text_size)));
    const int32_t units = std::clamp(name.length(), 0, name_max_units);
    for (int32_t u = 0; u < units; ++u) {
        const char16_t unit = name.units()[u];
        e[name_offset + 2 * u] = uint8_t(unit);
        e[name_offset + 2 * u + 1] = uint8_t(unit >> 8);
    }
    e[state_offset] = vux_desktop_state_added;
    drop_partial_tail();
    entries.append_bytes(e, entry_size);
}

void vux_desktop_contact::append_all_from(vux_desktop_contact& target, const vux_desktop_contact& source) {
    const int32_t n = source.entry_count();  // source may be target
    for (int32_t i = 0; i < n; ++i) {
        vux_string key;
        source.get_key(i, key);
        target.append_entry(source.name_of(i), key, source.text_of(i));
    }
}

void vux_desktop_contact::export_changed(const vux_desktop_contact& source, vux_desktop_contact& target) {
    const int32_t n = source.entry_count();
    vux_buffer picked;  // source may be target
    for (int32_t i = 0; i < n; ++i)
        if (vux_desktop_state_is_changed(source.state_of(i))) picked.append_bytes(source.entry(i), entry_size);
    if (picked.empty()) return;
    target.drop_partial_tail();
    target.entries.append_view(picked);
}
