#pragma once
#include "core/vux_record.h"

// One conversation with recent activity.
class vux_desktop_recent : public vux_record {
public:
    int32_t time = 0;  // seconds since 1970
    int32_t serial = 0;
    int32_t image = 0;  // row icon chosen by the service (0 read, 1 unread); range-check before use
    vux_string key;     // the member's key
    vux_string text;    // latest message

    const char* class_name() const override { return "vux_desktop_recent"; }
    void fields(vux_field_visitor& v) override {
        v.int32("time", time);
        v.int32("serial", serial);
        v.int32("image", image);
        v.string("key", key);
        v.string("text", text);
    }
};
