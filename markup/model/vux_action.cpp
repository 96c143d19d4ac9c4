#include "markup/model/vux_action.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_launch.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_model_factory.h"

void vux_action::fields(vux_field_visitor& v) {
    v.int32("value_1", value_1);
    v.int32("disposition", disposition);
    v.int32("countdown", countdown);
    v.int32("due", due);
    v.int32("value_5", value_5);
    v.string("variable", variable);
    v.string("assigned", assigned);
    v.unicode("caption", caption);
    v.records("steps", steps, vux_model_steps);
    v.strings("extras", extras);
}

bool vux_action::single_show_target(vux_string& out) const {
    if (step_count() != 1) return false;
    auto* show = dynamic_cast<const vux_action_show*>(step_at(0));
    if (!show || show->guard || show->kind != 3 || show->operation != 2) return false;
    out = show->target;
    return true;
}

void vux_action::fill_copy_text(const vux_unicode& text) {
    for (int32_t i = 0; i < step_count(); ++i) {
        auto* launch = dynamic_cast<vux_action_launch*>(step_at(i));
        if (launch && vux_string_equals_cstr(launch->kind, "copy") && launch->variable.empty() &&
            launch->argument.empty())
            text.to_utf8(launch->argument);
    }
}

template <class Step>
Step* vux_action::first_step(bool (*wanted)(const Step&), const vux_variables& env) const {
    for (int32_t i = 0; i < step_count(); ++i) {
        auto* step = dynamic_cast<Step*>(step_at(i));
        if (step && wanted(*step) && step->holds(env)) return step;
    }
    return nullptr;
}

vux_action_upload* vux_action::find_pending_upload(const vux_variables& env) const {
    return first_step<vux_action_upload>(
        [](const vux_action_upload& s) { return s.state == 0 && !s.data_name.empty(); }, env);
}

bool vux_action::take_upload(const vux_variables& env, vux_data& item) {
    vux_action_upload* step = find_pending_upload(env);
    if (!step) return false;
    step->state = 1;
    item.name = step->data_name;
    return true;
}

vux_action_input* vux_action::find_pending_input(const vux_variables& env) const {
    return first_step<vux_action_input>([](const vux_action_input& s) { return s.state != 2 && !s.variable.empty(); },
                                        env);
}

bool vux_action::complete_input(const vux_variables& env, const vux_unicode& text) {
    vux_action_input* step = find_pending_input(env);
    if (!step) return false;
    step->state = 2;
    step->result = text;
    return true;
}
