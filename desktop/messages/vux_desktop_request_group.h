#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// A site-list operation (1 list, 2 create, 3 rename, 4 transfer, 5 cancel transfer, 6 acquire, 7 delete).
class vux_desktop_request_group : public vux_desktop_typed_record<vux_type_desktop_request_group> {
public:
    int32_t operation = 0;
    vux_string_list arguments;
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_group"; }
    void fields(vux_field_visitor& v) override {
        v.int32("operation", operation);
        v.strings("arguments", arguments);
        v.record("session", session);
    }
};
