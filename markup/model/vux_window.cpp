#include "markup/model/vux_window.h"
#include "markup/model/vux_model_factory.h"

void vux_window::fields(vux_field_visitor& v) {
    v.int32("keep", keep);
    v.int32("show_title", show_title);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.string("name", name);
    v.string("title", title);
    v.string("third", third);
    v.record("titlebar", titlebar);
    v.record("client", client);
    v.record("commandbar", commandbar);
    v.child_as("overtime", overtime, vux_model_child_of<vux_type_overtime>());
    v.strings("extras", extras);
}

vux_action* vux_window::find_triggered_action(const vux_variables& environment) {
    if (vux_action* a = commandbar.count_down(environment)) return a;
    return client.triggered_action(environment);
}
