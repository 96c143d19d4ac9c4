#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// First step of logon: the lower-cased user name.
class vux_desktop_request_logon : public vux_desktop_typed_record<vux_type_desktop_request_logon> {
public:
    int32_t reserved = 0;  // always 0
    vux_string user_name;

    const char* class_name() const override { return "vux_desktop_request_logon"; }
    void fields(vux_field_visitor& v) override {
        v.int32("reserved", reserved);
        v.string("user_name", user_name);
    }
};
