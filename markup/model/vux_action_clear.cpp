#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_model_factory.h"

void vux_action_clear::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("what", what);
    v.string("target", target);
}
