#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_recent.h"

class vux_desktop_recent_list : public vux_record {
public:
    vux_record_list<vux_desktop_recent> entries;

    const char* class_name() const override { return "vux_desktop_recent_list"; }
    void fields(vux_field_visitor& v) override { entries.visit(v, "entries"); }

    void assign(const vux_desktop_recent_list& other) { entries.assign_copies(other.entries); }
    // For each entry of this list: the entries of target with the same key
    // are destroyed and that key is appended to replaced; then a copy of the
    // entry is appended to target.
    void merge_into(vux_desktop_recent_list& target, vux_string_list& replaced) const;
};
