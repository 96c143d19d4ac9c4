#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// A small keyed table of 24-bit values (colours where used as colours).
// Each entry packs its key into bits 31-24 and its value into bits 23-0; the
// key reads back as a signed byte, so keys in use are 0..127.
class vux_brush : public vux_model_record<vux_brush, vux_type_brush> {
public:
    const char* class_name() const override { return "vux_brush"; }
    void fields(vux_field_visitor& v) override;

    static int32_t key_of(int32_t entry) { return int8_t(uint32_t(entry) >> 24); }
    static int32_t value_of(int32_t entry) { return int32_t(uint32_t(entry) & 0xFFFFFFu); }
    static int32_t pack(int32_t key, int32_t value) {
        return int32_t((uint32_t(key) & 0xFFu) << 24 | (uint32_t(value) & 0xFFFFFFu));
    }

    // First entry whose key equals, -1 when none.
    int32_t index_of(int32_t key) const;
    // False when absent; else out = the entry's value.
    bool get(int32_t key, int32_t& out) const;
    // Replaces the first entry with that key, else appends one.
    void set(int32_t key, int32_t value);
    // set for each of the other brush's entries, in order.
    void merge(const vux_brush& other);
    void clear() { entries.clear(); }
    void assign(const vux_brush& other) { entries.assign(other.entries); }

    vux_integer_list entries;
};
