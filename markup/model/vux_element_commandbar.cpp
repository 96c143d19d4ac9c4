#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_action_softkey.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_variables.h"

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

namespace {
int32_t slot_of(int32_t i) { return i == 0 ? 0 : 1; }
}  // namespace

void vux_element_commandbar::show_command(int32_t i, const vux_element_command& command) {
    auto& s = shown[slot_of(i)];
    if (s && vux_unicode_equal(s->label, command.label)) return;
    s = command.copy();
}

void vux_element_commandbar::show_default(int32_t i) {
    const auto& d = default_command(i);
    auto& s = shown[slot_of(i)];
    if (d && (!s || !vux_unicode_equal(s->label, d->label))) s = d->copy();
}

void vux_element_commandbar::promote_default(int32_t i) {
    auto& d = default_command(i);
    if (!d) return;
    shown[slot_of(i)] = std::move(d);
}

bool vux_element_commandbar::default_show_target(int32_t i, vux_string& out) {
    const auto& d = default_command(i);
    return d && d->show_target(out);
}

void vux_element_commandbar::save(int32_t i, bool replace) {
    auto& kept = saved[slot_of(i)];
    if (replace) kept.reset();
    if (kept) return;
    auto& d = default_command(i);
    auto& s = shown[slot_of(i)];
    if (d) {
        kept = std::move(d);
        s.reset();
    } else if (s) {
        kept = std::move(s);
    }
}

void vux_element_commandbar::restore(int32_t i) {
    auto& kept = saved[slot_of(i)];
    if (!kept) return;
    shown[slot_of(i)].reset();
    default_command(i) = std::move(kept);
}

void vux_element_commandbar::apply_softkey_step(const vux_action_softkey& step) {
    const int32_t i = step.slot();
    const auto* command = dynamic_cast<const vux_element_command*>(step.command.get());
    const int32_t mode = step.save_mode();
    if (command) {
        if (mode == 1 || mode == 2) save(i, mode == 2);
        shown[i].reset();
        default_command(i) = command->copy();
        return;
    }
    if (!step.clear_flag()) {
        restore(i);
        return;
    }
    if (mode != 0) save(i, mode == 2);
    default_command(i).reset();
    shown[i].reset();
}

bool vux_element_commandbar::is_empty() const {
    return !left && !right && !shown[0] && !shown[1] && !saved[0] && !saved[1];
}

bool vux_element_commandbar::slot_visible(int32_t i) const {
    const vux_element_command* c = shown_command(i);
    return c && !c->hidden;
}

void vux_element_commandbar::drop_close_command() {
    if (shown[0] && shown[0]->is_close_command()) shown[0].reset();
}

void vux_element_commandbar::show_close_command(const vux_string& label) {
    shown[0] = vux_element_command::make_close_command(label);
}

bool vux_element_commandbar::mentions(const vux_string& name) const {
    for (const auto& c : shown)
        if (c && c->guard && c->guard->refers_to(name)) return true;
    return false;
}

int32_t vux_element_commandbar::count_enabled(const vux_variables& environment) const {
    int32_t n = 0;
    for (const auto& c : shown)
        if (c && c->condition_holds(environment)) ++n;
    return n;
}

vux_action* vux_element_commandbar::triggered_action(const vux_variables& environment) const {
    for (const auto& c : shown)
        if (c && !c->hidden && c->enabled && c->condition_holds(environment)) return &c->action;
    return nullptr;
}

vux_action* vux_element_commandbar::count_down(const vux_variables& environment) {
    for (auto& c : shown)
        if (vux_action* a = c ? c->count_down(environment) : nullptr) return a;
    return nullptr;
}

bool vux_element_commandbar::press(const vux_point& p) {
    release();
    for (int32_t i = 0; i < 2; ++i) {
        const vux_element_command* c = shown[i].get();
        if (c && !c->hidden && c->rect.contains(p)) {
            pressed_slot = i;
            pressed_inside = 1;
            return true;
        }
    }
    return false;
}

bool vux_element_commandbar::track(const vux_point& p) {
    if (pressed_slot < 0) return false;
    const vux_element_command* c = shown_command(pressed_slot);
    const int32_t inside = c && c->rect.contains(p) ? 1 : 0;
    if (inside == pressed_inside) return false;
    pressed_inside = inside;
    return true;
}

int32_t vux_element_commandbar::pressed_slot_at(const vux_point& p) const {
    if (pressed_slot < 0) return -1;
    const vux_element_command* c = shown_command(pressed_slot);
    return c && c->rect.contains(p) ? pressed_slot : -1;
}
