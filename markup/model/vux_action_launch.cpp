#include "markup/model/vux_action_launch.h"
#include "markup/model/vux_model_factory.h"

void vux_action_launch::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.string("kind", kind);
    v.string("variable", variable);
    v.string("argument", argument);
}
