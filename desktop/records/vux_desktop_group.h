#pragma once
#include "core/vux_record.h"

// One site of the administrator's site list.
class vux_desktop_group : public vux_record {
public:
    // 0 own site, 1 transfer offered, 2 transferred away, 3 offered to us.
    int32_t state = 0;
    vux_string name;          // the site's key; what find_by_name compares
    vux_string display_name;  // the management name shown in the list
    vux_string text3;
    vux_string text4;

    const char* class_name() const override { return "vux_desktop_group"; }
    void fields(vux_field_visitor& v) override {
        v.int32("state", state);
        v.string("name", name);
        v.string("display_name", display_name);
        v.string("text3", text3);
        v.string("text4", text4);
    }
};
