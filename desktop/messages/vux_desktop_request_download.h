#pragma once
#include "desktop/messages/vux_desktop_application_id.h"
#include "desktop/messages/vux_desktop_typed_record.h"

// Asks for the whole current client program file.
class vux_desktop_request_download : public vux_desktop_typed_record<vux_type_desktop_request_download> {
public:
    vux_string application_id;  // vux_desktop_application_id

    const char* class_name() const override { return "vux_desktop_request_download"; }
    void fields(vux_field_visitor& v) override { v.string("application_id", application_id); }
};
