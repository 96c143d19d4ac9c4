#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"

// Answer to the enter request.
class vux_response_enter : public vux_record {
public:
    const char* class_name() const override { return "vux_response_enter"; }
    int32_t type_code() const override { return vux_type_response_enter; }
    void fields(vux_field_visitor& v) override;

    int32_t document_value = 0;  // sent back in every later poll request
    int32_t follow_up = 0;
    vux_string_list extras;
};
