#include "markup/model/vux_action_animation.h"
#include "markup/model/vux_model_factory.h"

void vux_action_animation::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("value_1", value_1);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.int32("value_5", value_5);
    v.string("name", name);
    v.child_as("end_action", end_action, vux_model_child_of<vux_type_action>());
}
