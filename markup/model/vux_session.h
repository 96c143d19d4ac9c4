#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_record.h"
#include "core/vux_string.h"

// The session that the service hands out at logon or registration; every
// later runtime request starts with a copy of it.
class vux_session : public vux_record {
public:
    const char* class_name() const override { return "vux_session"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return vux_clone_record(*this); }

    void reset();

    int32_t number = 0;
    vux_string token_1;
    vux_string token_2;
    vux_string token_3;
};
