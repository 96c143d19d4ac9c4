#pragma once
#include "core/vux_record.h"

// The account record that the site manager fetches and shows.
class vux_desktop_profile : public vux_record {
public:
    int32_t value = 0;

    const char* class_name() const override { return "vux_desktop_profile"; }
    void fields(vux_field_visitor& v) override { v.int32("value", value); }
};
