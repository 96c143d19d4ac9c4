#include "markup/model/vux_option.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action_pick.h"

void vux_option::fields(vux_field_visitor& v) {
    v.int32("linked", linked);
    v.int32("selected", selected);
    v.string("name", name);
    v.string("title", title);
    picks.visit(v, "picks");
}

bool vux_option::apply_pick_step(const vux_action_pick& step) {
    if (step.whole_option) return move(step.backward != 0, step.wrap != 0);
    vux_pick* pick = selected_pick();
    return pick && pick->move(step.backward != 0, step.wrap != 0);
}

const vux_string& vux_option::selected_text() const {
    static const vux_string none;
    const vux_pick* pick = selected_pick();
    return pick ? pick->selected_text() : none;
}

void vux_option::write_label(vux_writer& w) const { w.write_string(name + ": " + selected_text()); }

void vux_option::select_from_variable(const vux_variables& env) {
    if (!linked) return;
    vux_string value;
    if (!env.get(name, value)) return;
    for (int32_t i = 0; i < picks.get_count(); ++i) {
        if (picks.at(i)->select_text(value)) {
            selected = i;
            return;
        }
    }
}
