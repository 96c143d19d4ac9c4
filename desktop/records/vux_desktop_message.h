#pragma once
#include "core/vux_record.h"

// One private message of a conversation.
class vux_desktop_message : public vux_record {
public:
    int32_t time = 0;    // seconds since 1970
    int32_t serial = 0;  // the marker a later poll sends back
    vux_string sender;   // key of the site or of the member
    vux_string text;

    const char* class_name() const override { return "vux_desktop_message"; }
    void fields(vux_field_visitor& v) override {
        v.int32("time", time);
        v.int32("serial", serial);
        v.string("sender", sender);
        v.string("text", text);
    }
};
