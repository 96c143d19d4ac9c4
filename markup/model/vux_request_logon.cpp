#include "markup/model/vux_request_logon.h"

void vux_request_logon::fields(vux_field_visitor& v) {
    v.int32("kind", kind);
    v.string("user", user);
    v.string("password", password);
    v.string("text", text);
    v.strings("extras", extras);
}
