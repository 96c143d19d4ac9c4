#include "markup/model/vux_action_softkey.h"
#include "markup/model/vux_model_factory.h"

void vux_action_softkey::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("slot", value_1);
    v.int32("save_mode", value_2);
    v.int32("clear_flag", value_3);
    v.string("window", window);
    v.child("command", command, vux_model_child_of<vux_type_element_command>());
}
