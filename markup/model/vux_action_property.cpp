#include "markup/model/vux_action_property.h"
#include "markup/model/vux_model_factory.h"

void vux_action_property::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("screen_kind", screen_kind);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.int32("value_5", value_5);
    v.int32("value_6", value_6);
    v.int32("value_7", value_7);
    v.string("screen", screen);
    v.string("text_1", text_1);
    v.string("text_2", text_2);
    v.strings("names", names);
    v.child_as("icon", icon, vux_model_child_of<vux_type_icon>());
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action_1", action_1, vux_model_child_of<vux_type_action>());
    v.child_as("action_2", action_2, vux_model_child_of<vux_type_action>());
}
