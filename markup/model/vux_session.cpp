#include "markup/model/vux_session.h"

void vux_session::fields(vux_field_visitor& v) {
    v.int32("number", number);
    v.string("token_1", token_1);
    v.string("token_2", token_2);
    v.string("token_3", token_3);
}

void vux_session::reset() {
    number = 0;
    token_1.clear();
    token_2.clear();
    token_3.clear();
}
