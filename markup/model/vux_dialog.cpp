#include "markup/model/vux_dialog.h"
#include "markup/model/vux_model_factory.h"

void vux_dialog::fields(vux_field_visitor& v) {
    v.int32("value_1", value_1);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.int32("value_5", value_5);
    v.int32("keep", keep);
    v.int32("show_title", show_title);
    v.string("name", name);
    v.string("title", title);
    v.record("client", client);
    v.record("commandbar", commandbar);
    v.child_as("overtime", overtime, vux_model_child_of<vux_type_overtime>());
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("extras", extras);
}

vux_action* vux_dialog::find_triggered_action(const vux_variables& environment) {
    if (vux_action* a = commandbar.count_down(environment)) return a;
    return client.triggered_action(environment);
}
