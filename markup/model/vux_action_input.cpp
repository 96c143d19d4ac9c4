#include "markup/model/vux_action_input.h"
#include "markup/model/vux_model_factory.h"

void vux_action_input::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("state", state);
    v.int32("value_1", value_1);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.string("variable", variable);
    v.string("text_1", text_1);
    v.unicode("text", text);
    v.unicode("result", result);
}
