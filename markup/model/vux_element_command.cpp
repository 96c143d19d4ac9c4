#include "markup/model/vux_element_command.h"
#include "markup/model/vux_model_factory.h"

void vux_element_command::fields(vux_field_visitor& v) {
    v.int32("enabled", enabled);
    v.string("name", name);
    v.string("icon", icon);
    v.string("badge", badge);
    v.string("normal_image", normal_image);
    v.string("pressed_image", pressed_image);
    v.string("focus_image", focus_image);
    v.string("string_7", string_7);
    v.string("string_8", string_8);
    v.unicode("label", label);
    v.record("action", action);
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("list", list);
}

bool vux_element_command::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }
