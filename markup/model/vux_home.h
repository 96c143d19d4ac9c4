#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_string.h"
#include "markup/model/vux_session.h"

// Where the runtime sends its requests after logon or registration, and the
// session they carry.
class vux_home : public vux_record {
public:
    const char* class_name() const override { return "vux_home"; }
    void fields(vux_field_visitor& v) override;

    int32_t port = 0;
    vux_string host;
    vux_string path;
    vux_session session;
};
