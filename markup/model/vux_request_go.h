#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_session.h"

// Built from a go step: its code, its two targets and the values of its variables.
class vux_request_go : public vux_record {
public:
    const char* class_name() const override { return "vux_request_go"; }
    int32_t type_code() const override { return vux_type_request_go; }
    void fields(vux_field_visitor& v) override;

    int32_t code = 0;
    int32_t sequence = 0;
    vux_session session;
    vux_string target_1;
    vux_string target_2;
    vux_string_list values;  // the current values of the go step's variables
    vux_buffer body;         // the bytes of the uploaded data item it names
    vux_string text;
    vux_string_list extras;
};
