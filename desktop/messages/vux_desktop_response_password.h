#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// The answer to a password change.
class vux_desktop_response_password : public vux_desktop_typed_record<vux_type_desktop_response_password> {
public:
    int32_t result = 0;  // 0 = success

    const char* class_name() const override { return "vux_desktop_response_password"; }
    void fields(vux_field_visitor& v) override { v.int32("result", result); }
};
