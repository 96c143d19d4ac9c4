#include "markup/model/vux_request_go.h"

void vux_request_go::fields(vux_field_visitor& v) {
    v.int32("code", code);
    v.int32("sequence", sequence);
    v.record("session", session);
    v.string("target_1", target_1);
    v.string("target_2", target_2);
    v.strings("values", values);
    v.bytes("body", body);
    v.string("text", text);
    v.strings("extras", extras);
}
