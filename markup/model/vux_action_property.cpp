#include "markup/model/vux_action_property.h"
#include "markup/model/vux_model_factory.h"

void vux_action_property::fields(vux_field_visitor& v) {
    vux_screen_step::fields(v);
    v.string("text_1", text_1);
    v.string("text_2", text_2);
    v.strings("names", names);
    v.child_as("icon", icon, vux_model_child_of<vux_type_icon>());
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action_1", action_1, vux_model_child_of<vux_type_action>());
    v.child_as("action_2", action_2, vux_model_child_of<vux_type_action>());
}

const char* const* vux_action_property::integer_names() const {
    static const char* const names[] = {"element_kind", "relayout", "keep", "link_flag", "clear", "reset_links"};
    return names;
}
