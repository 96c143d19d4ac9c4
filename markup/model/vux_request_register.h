#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"

// Registers the handset when no credential is stored for it.
class vux_request_register : public vux_record {
public:
    const char* class_name() const override { return "vux_request_register"; }
    int32_t type_code() const override { return vux_type_request_register; }
    void fields(vux_field_visitor& v) override;

    vux_string text_1;
    vux_string text_2;
    vux_string text_3;
    vux_string text_4;
    vux_string text_5;
    vux_string text_6;
    vux_string_list extras;
};
