#include "markup/model/vux_request_poll.h"

void vux_request_poll::fields(vux_field_visitor& v) {
    v.int32("sequence", sequence);
    v.int32("host_value", host_value);
    v.int32("document_value", document_value);
    v.int32("queued", queued);
    v.record("session", session);
    v.string("text", text);
    v.strings("extras", extras);
}
