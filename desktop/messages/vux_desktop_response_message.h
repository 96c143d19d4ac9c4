#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_message_list.h"
#include "desktop/records/vux_desktop_recent_list.h"

// New conversation entries and messages since the marker.
class vux_desktop_response_message : public vux_desktop_typed_record<vux_type_desktop_response_message> {
public:
    int32_t result = 0;  // 0 = success
    vux_string text;
    vux_desktop_recent_list recent;
    vux_desktop_message_list messages;

    const char* class_name() const override { return "vux_desktop_response_message"; }
    void fields(vux_field_visitor& v) override {
        v.int32("result", result);
        v.string("text", text);
        v.record("recent", recent);
        v.record("messages", messages);
    }
};
