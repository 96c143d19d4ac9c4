#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_document.h"

// The administrator's site list after a site-list operation.
class vux_desktop_response_group : public vux_desktop_typed_record<vux_type_desktop_response_group> {
public:
    int32_t result = 0;  // 0 = success
    vux_desktop_document document;

    const char* class_name() const override { return "vux_desktop_response_group"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.record("document", document);
    }
};
