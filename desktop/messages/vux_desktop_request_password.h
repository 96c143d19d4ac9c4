#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// A new password in its TEA text form, keyed with the session id. It has no leading int.
class vux_desktop_request_password : public vux_desktop_typed_record<vux_type_desktop_request_password> {
public:
    vux_string password;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_password"; }
    void fields(vux_field_visitor& v) override {
        v.string("password", password);
        v.record("session", session);
    }
};
