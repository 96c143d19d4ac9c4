#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_model_factory.h"

void vux_action_motion::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("start", start);
    v.int32("limit", limit);
    v.int32("interval", interval);
    v.int32("value_4", value_4);
    v.string("index_variable", index_variable);
    v.records("actions", actions, vux_model_list_of<vux_type_action>());
    v.child_as("end_action", end_action, vux_model_child_of<vux_type_action>());
}
