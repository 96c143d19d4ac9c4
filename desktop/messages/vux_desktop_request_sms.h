#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// Asks the service to text an invitation to these numbers.
class vux_desktop_request_sms : public vux_desktop_typed_record<vux_type_desktop_request_sms> {
public:
    vux_string site_key;
    vux_string text;
    vux_string_list numbers;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_sms"; }
    void fields(vux_field_visitor& v) override {
        v.string("site_key", site_key);
        v.string("text", text);
        v.strings("numbers", numbers);
        v.record("session", session);
    }
};
