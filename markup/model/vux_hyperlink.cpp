#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_model_factory.h"

void vux_hyperlink::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("mode", mode);
    v.string("target", target);
    v.strings("values", values);
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("extras", extras);
}

bool vux_hyperlink::bit(int32_t n) const { return n >= 0 && n <= 16 && (uint32_t(flags) >> n & 1u) != 0; }

void vux_hyperlink::set_bit(int32_t n, bool on) {
    const uint32_t mask = 1u << n;
    flags = int32_t(on ? uint32_t(flags) | mask : uint32_t(flags) & ~mask);
}

void vux_hyperlink::set_pressed(bool on) {
    set_bit(pressed_bit, on);
    press_countdown = on ? 2 : 0;
}

bool vux_hyperlink::count_down_press(bool force) {
    if (!is_pressed() || press_countdown <= 0) return false;
    if (force) {
        press_countdown = 0;
        return true;
    }
    return --press_countdown == 0;
}

vux_action* vux_hyperlink::trigger(const vux_variables& env) {
    if (!action || action->countdown <= 0 || !env.check_conditions(guard.get())) return nullptr;
    return --action->countdown == 0 ? action.get() : nullptr;
}
