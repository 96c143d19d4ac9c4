#include "markup/model/vux_action_error.h"
#include "markup/model/vux_model_factory.h"

void vux_action_error::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("flag", flag);
    v.unicode("message", message);
}
