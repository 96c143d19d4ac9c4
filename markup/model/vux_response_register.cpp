#include "markup/model/vux_response_register.h"

void vux_response_register::fields(vux_field_visitor& v) {
    v.string("user", user);
    v.string("password", password);
    v.record("home", home);
    v.strings("extras", extras);
}
