#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"

// Answer to a go request.
class vux_response_go : public vux_record {
public:
    const char* class_name() const override { return "vux_response_go"; }
    int32_t type_code() const override { return vux_type_response_go; }
    void fields(vux_field_visitor& v) override;

    int32_t follow_up = 0;
    int32_t continued = 0;  // zero ends the wait for the exchange
    vux_string_list extras;
};
