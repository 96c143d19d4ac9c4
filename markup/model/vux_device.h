#pragma once
#include <cstdint>
#include "core/vux_record.h"

// The device description that the enter request carries, filled by the
// canvas from the host. A plain record: no code on the wire, never cloned.
class vux_device : public vux_record {
public:
    const char* class_name() const override { return "vux_device"; }
    void fields(vux_field_visitor& v) override;

    // Sets capability bit 0..5; other bit numbers are ignored. Bits are never
    // cleared here: the canvas sets each one it finds.
    void set_capability(int32_t bit);
    bool has_capability(int32_t bit) const;

    int32_t capabilities = 0;
    int32_t screen_width = 0;  // pixels times the host's scale
    int32_t screen_height = 0;
    int32_t metric_1 = 0;  // five metric values chosen by the canvas
    int32_t metric_2 = 0;
    int32_t metric_3 = 0;
    int32_t metric_4 = 0;
    int32_t metric_5 = 0;
    vux_string identity;
    vux_string identity_1;
    vux_string identity_2;
    vux_string identity_3;
    vux_string_list extras;
};
