#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_model_factory.h"

void vux_action_environment::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("operation", operation);
    v.strings("names", names);
}
