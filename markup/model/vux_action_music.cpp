#include "markup/model/vux_action_music.h"
#include "markup/model/vux_model_factory.h"

void vux_action_music::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("value_1", value_1);
    v.string("name", name);
    v.string("type_text", type_text);
    v.child_as("end_action", end_action, vux_model_child_of<vux_type_action>());
}
