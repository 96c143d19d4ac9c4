#include "markup/model/vux_action_go.h"
#include "markup/model/vux_model_factory.h"

void vux_action_go::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("code", code);
    v.int32("send", send);
    v.int32("clear_first", clear_first);
    v.string("target_1", target_1);
    v.string("target_2", target_2);
    v.strings("variables", variables);
    v.string("upload_name", upload_name);
    v.unicode("status_text", status_text);
}
