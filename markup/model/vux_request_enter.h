#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_device.h"
#include "markup/model/vux_session.h"

// Opens the document's exchange after logon or registration: who the handset
// is and what its screen can do.
class vux_request_enter : public vux_record {
public:
    const char* class_name() const override { return "vux_request_enter"; }
    int32_t type_code() const override { return vux_type_request_enter; }
    void fields(vux_field_visitor& v) override;

    int32_t sequence = 0;  // the main channel's counter
    vux_string identity_a;
    vux_string identity_b;
    vux_session session;
    vux_device device;
    vux_string text;
    vux_string_list extras;
};
