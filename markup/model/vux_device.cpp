#include "markup/model/vux_device.h"

void vux_device::fields(vux_field_visitor& v) {
    v.int32("capabilities", capabilities);
    v.int32("screen_width", screen_width);
    v.int32("screen_height", screen_height);
    v.int32("metric_1", metric_1);
    v.int32("metric_2", metric_2);
    v.int32("metric_3", metric_3);
    v.int32("metric_4", metric_4);
    v.int32("metric_5", metric_5);
    v.string("identity", identity);
    v.string("identity_1", identity_1);
    v.string("identity_2", identity_2);
    v.string("identity_3", identity_3);
    v.strings("extras", extras);
}

void vux_device::set_capability(int32_t bit) {
    if (bit >= 0 && bit <= 5) capabilities = int32_t(uint32_t(capabilities) | (1u << bit));
}

bool vux_device::has_capability(int32_t bit) const {
    return bit >= 0 && bit <= 31 && (uint32_t(capabilities) >> bit & 1u) != 0;
}
