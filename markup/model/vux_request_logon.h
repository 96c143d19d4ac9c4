#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"

// Logs on with the name and password stored for the current device key.
class vux_request_logon : public vux_record {
public:
    const char* class_name() const override { return "vux_request_logon"; }
    int32_t type_code() const override { return vux_type_request_logon; }
    void fields(vux_field_visitor& v) override;

    int32_t kind = 0;
    vux_string user;
    vux_string password;
    vux_string text;
    vux_string_list extras;
};
