#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_group.h"

class vux_desktop_group_list : public vux_record {
public:
    vux_string text;
    vux_record_list<vux_desktop_group> groups;

    const char* class_name() const override { return "vux_desktop_group_list"; }
    void fields(vux_field_visitor& v) override {
        v.string("text", text);
        groups.visit(v, "groups");
    }

    // Index of the first group whose name equals name; -1 when none.
    int32_t find_by_name(const vux_string& name) const;
    // target = this list's text and deep copies of all groups.
    void copy_to(vux_desktop_group_list& target) const;
};
