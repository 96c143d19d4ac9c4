#include "markup/model/vux_response_logon.h"

void vux_response_logon::fields(vux_field_visitor& v) {
    v.record("home", home);
    v.strings("extras", extras);
}
