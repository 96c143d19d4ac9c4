#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_model_factory.h"

void vux_element_commandbar::fields(vux_field_visitor& v) {
    v.int32("value_1", value_1);
    v.int32("left_check", left_check);
    v.int32("value_3", value_3);
    v.string("image", image);
    v.string("focus_image", focus_image);
    v.child_as("left", left, vux_model_child_of<vux_type_element_command>());
    v.child_as("right", right, vux_model_child_of<vux_type_element_command>());
    v.strings("list", list);
}
