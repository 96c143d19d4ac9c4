#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_home.h"

// Answer to the logon request: where to go on and with which session.
class vux_response_logon : public vux_record {
public:
    const char* class_name() const override { return "vux_response_logon"; }
    int32_t type_code() const override { return vux_type_response_logon; }
    void fields(vux_field_visitor& v) override;

    vux_home home;
    vux_string_list extras;
};
