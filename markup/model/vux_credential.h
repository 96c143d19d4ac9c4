#pragma once
#include "core/vux_record.h"
#include "core/vux_string.h"
#include "core/vux_string_list.h"

// The user name and password the service gave one handset at registration.
class vux_credential : public vux_record {
public:
    const char* class_name() const override { return "vux_credential"; }
    void fields(vux_field_visitor& v) override;

    vux_string device_key;
    vux_string user;
    vux_string password;
    vux_string_list extras;
};
