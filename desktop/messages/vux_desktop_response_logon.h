#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// Whether the account exists and the challenge for the verify step.
class vux_desktop_response_logon : public vux_desktop_typed_record<vux_type_desktop_response_logon> {
public:
    int32_t result = 0;       // 0 = success, -1 refused
    int32_t verify_mode = 0;  // 1: send the verify request
    int32_t challenge = 0;

    const char* class_name() const override { return "vux_desktop_response_logon"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.int32("verify_mode", verify_mode);
        v.int32("challenge", challenge);
    }
};
