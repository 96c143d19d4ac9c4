#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// Fetches a picture or other file by its key.
class vux_desktop_request_data : public vux_desktop_typed_record<vux_type_desktop_request_data> {
public:
    int32_t operation = 0;
    vux_string name;  // the key
    vux_buffer data;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_data"; }
    void fields(vux_field_visitor& v) override {
        v.int32("operation", operation);
        v.string("name", name);
        v.bytes("data", data);
        v.record("session", session);
    }
};
