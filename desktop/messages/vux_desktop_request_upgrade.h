#pragma once
#include "desktop/messages/vux_desktop_application_id.h"
#include "desktop/messages/vux_desktop_typed_record.h"

// Asks whether the client program beside the launcher is current.
class vux_desktop_request_upgrade : public vux_desktop_typed_record<vux_type_desktop_request_upgrade> {
public:
    vux_string application_id;  // vux_desktop_application_id
    vux_string digest;          // MD5 hex of the client file; empty when it is absent or empty

    const char* class_name() const override { return "vux_desktop_request_upgrade"; }
    void fields(vux_field_visitor& v) override {
        v.string("application_id", application_id);
        v.string("digest", digest);
    }
};
