#include "markup/model/vux_menu.h"
#include <algorithm>
#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_variables.h"

void vux_menu::fields(vux_field_visitor& v) {
    v.int32("value_1", value_1);
    v.int32("keep", keep);
    v.int32("show_title", show_title);
    v.int32("style", style);
    v.int32("value_5", value_5);
    v.int32("layout_1", layout_1);
    v.int32("layout_2", layout_2);
    v.int32("layout_3", layout_3);
    v.int32("layout_4", layout_4);
    v.int32("layout_5", layout_5);
    v.int32("layout_6", layout_6);
    v.int32("layout_7", layout_7);
    v.int32("value_13", value_13);
    v.int32("value_14", value_14);
    v.int32("value_15", value_15);
    v.int32("value_16", value_16);
    v.string("name", name);
    v.string("title", title);
    v.string("third", third);
    v.record("commandbar", commandbar);
    v.records("commands", commands, vux_model_list_of<vux_type_element_command>());
    v.child_as("overtime", overtime, vux_model_child_of<vux_type_overtime>());
    v.strings("extras", extras);
    if (v.reading()) validate_selection();
}

bool vux_menu::all_hidden_from(int32_t index) const {
    for (int32_t i = std::max(index, 0); i < count(); ++i)
        if (is_visible(i)) return false;
    return true;
}

bool vux_menu::pointer_on_selection(const vux_point& p) const {
    const vux_element_command* c = command(selected);
    return tracking && c && c->rect.contains(p);
}

void vux_menu::validate_selection() {
    if (is_visible(selected)) return;
    selected = first_visible_from(0, 1);
}

bool vux_menu::refresh(const vux_variables& environment) {
    selected = -1;
    clear_press();
    for (int32_t i = 0; i < count(); ++i) command(i)->refresh(environment);
    selected = first_visible_from(0, 1);
    return selected >= 0;
}

int32_t vux_menu::first_visible_from(int32_t i, int32_t direction) const {
    for (; i >= 0 && i < count(); i += direction)
        if (is_visible(i)) return i;
    return -1;
}

bool vux_menu::select_next() {
    if (!can_move()) return false;
    const int32_t n = count();
    if (style == grid_style) {
        int32_t at = std::min<int64_t>(int64_t(selected) + std::max(row_step, 0), n - 1);
        if (at == selected) return false;
        if (!is_visible(at) && at == n - 1) return false;
        at = first_visible_from(at, 1);  // a hidden command that is not the last: on to the next visible
        if (at < 0 || at == selected) return false;
        selected = at;
        return true;
    }
    for (int32_t k = 1; k < n; ++k) {
        const int32_t at = (selected + k) % n;
        if (is_visible(at)) {
            selected = at;
            return true;
        }
    }
    return false;
}

bool vux_menu::select_previous() {
    if (!can_move()) return false;
    const int32_t n = count();
    if (style == grid_style) {
        int32_t at = std::max<int64_t>(int64_t(selected) - std::max(row_step, 0), 0);
        if (at == selected) return false;
        if (!is_visible(at) && at == 0) return false;
        at = first_visible_from(at, -1);
        if (at < 0 || at == selected) return false;
        selected = at;
        return true;
    }
    for (int32_t k = 1; k < n; ++k) {
        const int32_t at = (selected - k + n) % n;
        if (is_visible(at)) {
            selected = at;
            return true;
        }
    }
    return false;
}

bool vux_menu::select_right() {
    if (!can_move() || style != grid_style) return false;
    const int32_t at = first_visible_from(selected + 1, 1);
    if (at < 0) return false;
    selected = at;
    return true;
}

bool vux_menu::select_left() {
    if (!can_move() || style != grid_style) return false;
    const int32_t at = first_visible_from(selected - 1, -1);
    if (at < 0) return false;
    selected = at;
    return true;
}

int32_t vux_menu::hit_visible(const vux_point& p) const {
    for (int32_t i = 0; i < count(); ++i)
        if (is_visible(i) && command(i)->rect.contains(p)) return i;
    return -1;
}

bool vux_menu::press(const vux_point& p) {
    clear_press();
    const int32_t at = hit_visible(p);
    if (at < 0) return false;
    selected = at;
    pressed = tracking = 1;
    return true;
}

int32_t vux_menu::track_pointer(const vux_point& p) {
    const int32_t at = hit_visible(p);
    if (at < 0) {
        const int32_t was = tracking;
        tracking = 0;
        return was ? 1 : 0;
    }
    if (at == selected) {
        const int32_t was = tracking;
        tracking = 1;
        return was ? 0 : 1;
    }
    selected = at;
    tracking = 1;
    return 1;
}

bool vux_menu::has_command(const vux_string& key) const {
    if (!is_kept()) return false;
    for (int32_t i = 0; i < count(); ++i) {
        const vux_element_command& c = *command(i);
        if (c.badge == key || (c.guard && c.guard->refers_to(key))) return true;
    }
    return false;
}

const vux_element_command* vux_menu::find_enabled_command(const vux_variables& environment) const {
    for (int32_t i = 0; i < count(); ++i)
        if (environment.check_conditions(command(i)->guard.get())) return command(i);
    return nullptr;
}

int32_t vux_menu::count_enabled(const vux_variables& environment) const {
    int32_t n = 0;
    for (int32_t i = 0; i < count(); ++i)
        if (environment.check_conditions(command(i)->guard.get())) ++n;
    return n;
}

void vux_menu::apply_menu_step(const vux_action_menu& step) {
    auto clone_of = [](const vux_object* o) {
        const auto* c = dynamic_cast<const vux_element_command*>(o);
        return c ? vux_clone_record(*c) : nullptr;
    };
    auto find = [this](const vux_string& key) {
        for (int32_t i = 0; i < count(); ++i)
            if (command(i)->name == key) return i;
        return int32_t(-1);
    };
    const int32_t n = step.commands.get_count();
    switch (step.mode) {
    case 1: commands.delete_all(); [[fallthrough]];
    case 3:
        for (int32_t k = 0; k < n; ++k)
            if (auto c = clone_of(step.commands.get(k))) commands.append(std::move(c));
        break;
    case 2: {
        // A negative index from the wire inserts at the front.
        int32_t at = std::clamp(step.index, 0, count());
        for (int32_t k = 0; k < n; ++k)
            if (auto c = clone_of(step.commands.get(k))) commands.insert_at(at++, std::move(c));
        break;
    }
    case 4:
        for (int32_t k = 0; k < n; ++k) {
            const auto* c = dynamic_cast<const vux_element_command*>(step.commands.get(k));
            if (!c) continue;
            for (int32_t i = find(c->name); i >= 0; i = find(c->name)) commands.remove_at(i);
        }
        break;
    case 5:
        for (int32_t k = 0; k < n; ++k) {
            const auto* c = dynamic_cast<const vux_element_command*>(step.commands.get(k));
            const int32_t i = c ? find(c->name) : -1;
            if (i < 0) continue;
            // Cloned first: a copy that fails leaves the command in place.
            auto copy = vux_clone_record(*c);
            if (!copy) continue;
            commands.remove_at(i);
            commands.insert_at(i, std::move(copy));
        }
        break;
    default: return;
    }
    validate_selection();
}

vux_action* vux_menu::count_down(const vux_variables& environment) {
    if (vux_action* a = commandbar.count_down(environment)) return a;
    for (int32_t i = 0; i < count(); ++i)
        if (vux_action* a = command(i) ? command(i)->count_down(environment) : nullptr) return a;
    return nullptr;
}
