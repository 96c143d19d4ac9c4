#include "markup/model/vux_element_command.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_variables.h"

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

std::unique_ptr<vux_element_command> vux_element_command::make_close_command(const vux_string& label) {
    auto c = std::make_unique<vux_element_command>();
    label.decode_utf8_into(c->label);
    auto step = std::make_unique<vux_action_command>();
    step->command = 24;
    c->action.add_step(std::move(step));
    return c;
}

bool vux_element_command::is_close_command() const {
    if (action.step_count() != 1) return false;
    const auto* step = dynamic_cast<const vux_action_command*>(action.step_at(0));
    return step && step->command == 24;
}

bool vux_element_command::refresh(const vux_variables& environment) {
    rect.clear();
    hidden = condition_holds(environment) ? 0 : 1;
    return !hidden;
}

bool vux_element_command::condition_holds(const vux_variables& environment) const {
    return environment.check_conditions(guard.get());
}

bool vux_element_command::show_target(vux_string& out) const { return !guard && action.single_show_target(out); }

vux_action* vux_element_command::count_down(const vux_variables& environment) {
    if (action.countdown <= 0 || !condition_holds(environment)) return nullptr;
    return --action.countdown == 0 ? &action : nullptr;
}
