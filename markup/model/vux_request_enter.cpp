#include "markup/model/vux_request_enter.h"

void vux_request_enter::fields(vux_field_visitor& v) {
    v.int32("sequence", sequence);
    v.string("identity_a", identity_a);
    v.string("identity_b", identity_b);
    v.record("session", session);
    v.record("device", device);
    v.string("text", text);
    v.strings("extras", extras);
}
