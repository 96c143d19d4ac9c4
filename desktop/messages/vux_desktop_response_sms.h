#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// The answer to an SMS request.
class vux_desktop_response_sms : public vux_desktop_typed_record<vux_type_desktop_response_sms> {
public:
    int32_t result = 0;  // 0 = success
    vux_string text;

    const char* class_name() const override { return "vux_desktop_response_sms"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.string("text", text);
    }
};
