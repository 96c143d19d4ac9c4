#pragma once
#include "core/vux_record.h"

// Column colours of a site: each entry holds a key (1-13 in use) in its top
// byte and a 0xRRGGBB colour in the low 24 bits.
class vux_desktop_brush : public vux_record {
public:
    static constexpr int32_t default_opacity = 75;

    int32_t opacity = default_opacity;  // of the colour blocks, 0-100
    vux_integer_list entries;

    const char* class_name() const override { return "vux_desktop_brush"; }
    void fields(vux_field_visitor& v) override {
        v.int32("opacity", opacity);
        v.integers("entries", entries);
    }
    std::unique_ptr<vux_object> clone() const override;

    // The entry for a key 0-255: its top byte as an unsigned value, so keys
    // of 128 and above are found like any other.
    static int32_t make_entry(int32_t key, int32_t value) {
        return int32_t((uint32_t(key) & 0xFFu) << 24 | (uint32_t(value) & 0xFFFFFFu));
    }
    static int32_t entry_key(int32_t entry) { return int32_t(uint32_t(entry) >> 24); }
    static int32_t entry_value(int32_t entry) { return int32_t(uint32_t(entry) & 0xFFFFFFu); }

    // Index of the first entry with this key; -1 when none (or the key does
    // not fit in a byte).
    int32_t find_entry(int32_t key) const;
    // Colour of a key, or fallback when it has no entry.
    int32_t value_of(int32_t key, int32_t fallback) const;
    // Sets key's colour to the low 24 bits of value. False when nothing
    // changed: the entry already holds that colour, or the key does not fit
    // in a byte.
    bool set_entry(int32_t key, int32_t value);
};
