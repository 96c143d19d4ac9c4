#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_site.h"

// The whole site as the service now holds it.
class vux_desktop_response_site : public vux_desktop_typed_record<vux_type_desktop_response_site> {
public:
    int32_t result = 0;  // 0 = success
    vux_string key;
    vux_desktop_site site;

    const char* class_name() const override { return "vux_desktop_response_site"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.string("key", key);
        v.record("site", site);
    }
};
