#pragma once
#include "desktop/messages/vux_desktop_typed_record.h"
#include "desktop/records/vux_desktop_session.h"

// Polls conversations (1 message box, 2 chat) or sends a chat message (3).
class vux_desktop_request_message : public vux_desktop_typed_record<vux_type_desktop_request_message> {
public:
    int32_t operation = 0;
    int32_t has_marker = 0;  // 1 when marker holds values
    int32_t limit = 0;       // 256 for the message box, 64 for a chat
    vux_string site_key;
    vux_string member_key;
    vux_string text;          // the message sent (UTF-8)
    vux_integer_list marker;  // where the last poll ended
    vux_desktop_session session;

    const char* class_name() const override { return "vux_desktop_request_message"; }
    void fields(vux_field_visitor& v) override {
        v.int32("operation", operation);
        v.int32("has_marker", has_marker);
        v.int32("limit", limit);
        v.string("site_key", site_key);
        v.string("member_key", member_key);
        v.string("text", text);
        v.integers("marker", marker);
        v.record("session", session);
    }
};
