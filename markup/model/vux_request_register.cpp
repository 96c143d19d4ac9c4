#include "markup/model/vux_request_register.h"

void vux_request_register::fields(vux_field_visitor& v) {
    v.string("text_1", text_1);
    v.string("text_2", text_2);
    v.string("text_3", text_3);
    v.string("text_4", text_4);
    v.string("text_5", text_5);
    v.string("text_6", text_6);
    v.strings("extras", extras);
}
