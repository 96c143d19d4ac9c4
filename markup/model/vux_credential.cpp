#include "markup/model/vux_credential.h"

void vux_credential::fields(vux_field_visitor& v) {
    v.string("device_key", device_key);
    v.string("user", user);
    v.string("password", password);
    v.strings("extras", extras);
}
