#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// A picture or other file.
class vux_desktop_response_data : public vux_desktop_typed_record<vux_type_desktop_response_data> {
public:
    int32_t result = 0;  // 0 = success
    vux_string name;
    vux_buffer bytes;

    const char* class_name() const override { return "vux_desktop_response_data"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.string("name", name);
        v.bytes("bytes", bytes);
    }
};
