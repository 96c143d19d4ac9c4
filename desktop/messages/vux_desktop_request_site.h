#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"
#include "desktop/records/vux_desktop_site.h"

// A site operation (1 fetch, 2 update, 3 share entries) on the site with this key.
class vux_desktop_request_site : public vux_desktop_typed_record<vux_type_desktop_request_site> {
public:
    int32_t operation = 0;
    vux_string key;
    vux_desktop_site site;
    vux_buffer data;  // share entries for operation 3
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_site"; }
    void fields(vux_field_visitor& v) override {
        v.int32("operation", operation);
        v.string("key", key);
        v.record("site", site);
        v.bytes("data", data);
        v.record("session", session);
    }
};
