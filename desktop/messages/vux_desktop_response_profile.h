#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_profile.h"

// The account record; flag 0 asks for the site list next.
class vux_desktop_response_profile : public vux_desktop_typed_record<vux_type_desktop_response_profile> {
public:
    int32_t result = 0;  // 0 = success
    int32_t flag = 0;
    vux_desktop_profile profile;

    const char* class_name() const override { return "vux_desktop_response_profile"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.int32("flag", flag);
        v.record("profile", profile);
    }
};
