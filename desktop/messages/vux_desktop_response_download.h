#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// The new client program file.
class vux_desktop_response_download : public vux_desktop_typed_record<vux_type_desktop_response_download> {
public:
    int32_t status = 0;  // 0 = success
    vux_buffer file;

    const char* class_name() const override { return "vux_desktop_response_download"; }
    void fields(vux_field_visitor& v) override {
        v.int32("status", status);
        v.bytes("file", file);
    }
};
