#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_data.h"

class vux_desktop_notice : public vux_record {
public:
    int32_t time = 0;
    int32_t state = 0;
    int32_t members_only = 0;
    int32_t push = 0;  // pushed to the members' phones
    int32_t show_receivers = 0;
    vux_string key;
    vux_string author;
    vux_string content;
    vux_desktop_data picture;

    const char* class_name() const override { return "vux_desktop_notice"; }
    void fields(vux_field_visitor& v) override {
        v.int32("time", time);
        v.int32("state", state);
        v.int32("members_only", members_only);
        v.int32("push", push);
        v.int32("show_receivers", show_receivers);
        v.string("key", key);
        v.string("author", author);
        v.string("content", content);
        v.record("picture", picture);
    }
};
