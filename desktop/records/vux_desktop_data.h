#pragma once
#include "core/vux_record.h"

// A named byte block: the picture of a news item, notice or vote, or a file
// fetched by key.
class vux_desktop_data : public vux_record {
public:
    vux_string name;
    vux_buffer bytes;

    const char* class_name() const override { return "vux_desktop_data"; }
    void fields(vux_field_visitor& v) override {
        v.string("name", name);
        v.bytes("bytes", bytes);
    }
};
