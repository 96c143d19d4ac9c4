#include "markup/model/vux_overtime.h"

void vux_overtime::fields(vux_field_visitor& v) {
    v.int32("kind", kind);
    v.int32("limit", limit);
    v.int32("value_a", value_a);
    v.int32("value_b", value_b);
    v.int32("repeat", repeat);
    v.string("name", name);
    v.string("title", title);
    v.record("action", action);
    v.strings("extras", extras);
}

bool vux_overtime::tick() {
    if (stopped || limit <= 0) return false;
    if (counter < limit) ++counter;  // stays at the limit instead of overflowing
    return counter >= limit;
}

void vux_overtime::reset(bool force) {
    if (force || repeat != 0) counter = 0;
}
