#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_profile.h"
#include "desktop/records/vux_desktop_session.h"

// Fetches the account record.
class vux_desktop_request_profile : public vux_desktop_typed_record<vux_type_desktop_request_profile> {
public:
    int32_t operation = 0;
    vux_desktop_profile profile;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_profile"; }
    void fields(vux_field_visitor& v) override {
        v.int32("operation", operation);
        v.record("profile", profile);
        v.record("session", session);
    }
};
