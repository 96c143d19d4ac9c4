#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"

// The service's answer to an upgrade check; port, host and path say where to download.
class vux_desktop_response_upgrade : public vux_desktop_typed_record<vux_type_desktop_response_upgrade> {
public:
    int32_t status = 0;   // 0 = success
    int32_t upgrade = 0;  // non-zero: download a new client
    int32_t port = 0;
    vux_string host;
    vux_string path;

    const char* class_name() const override { return "vux_desktop_response_upgrade"; }
    void fields(vux_field_visitor& v) override {
        v.int32("status", status);
        v.int32("upgrade", upgrade);
        v.int32("port", port);
        v.string("host", host);
        v.string("path", path);
    }
};
