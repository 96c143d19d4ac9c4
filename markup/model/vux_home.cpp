#include "markup/model/vux_home.h"

void vux_home::fields(vux_field_visitor& v) {
    v.int32("port", port);
    v.string("host", host);
    v.string("path", path);
    v.record("session", session);
}
