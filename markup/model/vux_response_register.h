#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_home.h"

// Answer to the register request: the credential to keep and where to go on.
class vux_response_register : public vux_record {
public:
    const char* class_name() const override { return "vux_response_register"; }
    int32_t type_code() const override { return vux_type_response_register; }
    void fields(vux_field_visitor& v) override;

    vux_string user;  // stored for the current device key
    vux_string password;
    vux_home home;
    vux_string_list extras;
};
