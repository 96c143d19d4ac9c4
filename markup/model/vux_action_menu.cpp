#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_model_factory.h"

void vux_action_menu::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("mode", mode);
    v.int32("index", index);
    v.string("text_1", text_1);
    v.records("commands", commands, vux_model_list_of<vux_type_element_command>());
}
