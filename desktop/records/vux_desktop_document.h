#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_group_list.h"

// The administrator's site list as the service last sent it.
class vux_desktop_document : public vux_record {
public:
    int32_t value = 0;
    vux_desktop_group_list groups;
    vux_string_list strings;

    const char* class_name() const override { return "vux_desktop_document"; }
    void fields(vux_field_visitor& v) override {
        v.int32("value", value);
        v.record("groups", groups);
        v.strings("strings", strings);
    }
};
