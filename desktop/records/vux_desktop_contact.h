#pragma once
#include "core/vux_record.h"

// A contact table: fixed 128-byte entries back to back in one byte block.
//   0-31   key (the 32 hex digits of an MD5 digest), zero-padded
//   32-47  shown text (the masked number or address), zero-padded
//   48-95  name, UTF-16 little-endian, at most 23 units, zero-terminated
//   96-125 zero
//   126    icon index set by the service (signed byte)
//   127    state (vux_desktop_item_state)
// Bytes after the last whole entry are not an entry and are ignored.
class vux_desktop_contact : public vux_record {
public:
    static constexpr int32_t entry_size = 128;
    static constexpr int32_t key_offset = 0, key_size = 32;
    static constexpr int32_t text_offset = 32, text_size = 16;
    static constexpr int32_t name_offset = 48, name_size = 48, name_max_units = 23;
    static constexpr int32_t icon_offset = 126, state_offset = 127;

    vux_buffer entries;

    const char* class_name() const override { return "vux_desktop_contact"; }
    void fields(vux_field_visitor& v) override { v.bytes("entries", entries); }

    int32_t entry_count() const { return entries.length() / entry_size; }

    // Index of the first entry whose whole key field equals key padded with
    // zeros to 32 bytes; -1 when none (a key longer than the field never
    // matches).
    int32_t find_key(const vux_string& key) const;
    // out = the whole 32-byte key field of entry i, padding zeros included;
    // empty for an index outside the table.
    void get_key(int32_t i, vux_string& out) const;
    // The key without its padding (up to the first zero).
    vux_string key_of(int32_t i) const;
    // The shown text, at most its 16 bytes (up to the first zero).
    vux_string text_of(int32_t i) const;
    // The name's units up to the first zero, at most the field's 24.
    vux_unicode name_of(int32_t i) const;
    int32_t state_of(int32_t i) const;
    bool set_state(int32_t i, int32_t state);
    // The service's icon index when it names one of icon_count icons, else 0.
    int32_t icon_of(int32_t i, int32_t icon_count) const;

    // Appends a new entry (state 1): the key cut to 32 bytes, the text to 16
    // and the name to its first 23 units.
    void append_entry(const vux_unicode& name, const vux_string& key, const vux_string& text);
    static void append_entry(const vux_unicode& name, const vux_string& key, const vux_string& text,
                             vux_desktop_contact& target) {
        target.append_entry(name, key, text);
    }
    // Appends a new entry (state 1) to target for every entry of source.
    static void append_all_from(vux_desktop_contact& target, const vux_desktop_contact& source);
    // Appends to target a byte copy of every entry of source whose state is
    // neither 0 nor 4.
    static void export_changed(const vux_desktop_contact& source, vux_desktop_contact& target);

private:
    const uint8_t* entry(int32_t i) const;
    // New entries go right after the last whole one.
    void drop_partial_tail();
};
