#include "markup/model/vux_response_poll.h"

void vux_response_poll::fields(vux_field_visitor& v) {
    v.int32("follow_up", follow_up);
    v.int32("continued", continued);
    v.strings("extras", extras);
}
