#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// Where every later request goes, and the session it ends with.
class vux_desktop_response_verify : public vux_desktop_typed_record<vux_type_desktop_response_verify> {
public:
    int32_t result = 0;  // 0 = success, -1 refused
    int32_t port = 0;
    vux_string host;
    vux_string path;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_response_verify"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.int32("port", port);
        v.string("host", host);
        v.string("path", path);
        v.record("session", session);
    }
};
