#include "markup/model/vux_action_show.h"
#include "markup/model/vux_model_factory.h"

void vux_action_show::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("kind", kind);
    v.int32("operation", operation);
    v.string("target", target);
}
