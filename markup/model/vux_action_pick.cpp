#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_model_factory.h"

void vux_action_pick::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("wrap", wrap);
    v.int32("backward", backward);
    v.int32("whole_option", whole_option);
    v.string("option", option);
}
