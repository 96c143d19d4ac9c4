#include "markup/model/vux_response_enter.h"

void vux_response_enter::fields(vux_field_visitor& v) {
    v.int32("document_value", document_value);
    v.int32("follow_up", follow_up);
    v.strings("extras", extras);
}
