#include "markup/model/vux_action_invoke.h"
#include "markup/model/vux_model_factory.h"

void vux_action_invoke::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("mode", mode);
    v.string("target", target);
}
