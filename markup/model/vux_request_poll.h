#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_session.h"

// Asks the service whether anything waits for the document.
class vux_request_poll : public vux_record {
public:
    const char* class_name() const override { return "vux_request_poll"; }
    int32_t type_code() const override { return vux_type_request_poll; }
    void fields(vux_field_visitor& v) override;

    int32_t sequence = 0;  // the poll channel's own counter
    int32_t host_value = 0;
    int32_t document_value = 0;  // as last received in an enter response
    int32_t queued = 0;          // what the action queue still waits for
    vux_session session;
    vux_string text;
    vux_string_list extras;
};
