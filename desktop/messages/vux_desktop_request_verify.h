#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// Second step of logon: MD5 hex of user name, challenge ("%08x") and password.
class vux_desktop_request_verify : public vux_desktop_typed_record<vux_type_desktop_request_verify> {
public:
    int32_t reserved = 0;  // always 0
    vux_string user_name;
    vux_string digest;

    const char* class_name() const override { return "vux_desktop_request_verify"; }
    void fields(vux_field_visitor& v) override {
        v.int32("reserved", reserved);
        v.string("user_name", user_name);
        v.string("digest", digest);
    }
};
