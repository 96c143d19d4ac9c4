#include "markup/model/vux_switch.h"
#include "markup/model/vux_model_factory.h"
#include "markup/model/vux_placed_item.h"

namespace {
const char* const value_names[15] = {"value_0",  "value_1",  "value_2",  "value_3",  "value_4",
                                     "value_5",  "value_6",  "value_7",  "value_8",  "value_9",
                                     "value_10", "value_11", "value_12", "value_13", "value_14"};
}

void vux_switch::fields(vux_field_visitor& v) {
    for (size_t i = 0; i < values.size(); ++i) v.int32(value_names[i], values[i]);
    v.string("name", name);
    v.string("title", title);
    v.records("commands", commands, vux_model_list_of<vux_type_element_command>());
    v.strings("extras", extras);
}

const vux_rect* vux_switch::hit_rect(int32_t i) const {
    auto* item = dynamic_cast<const vux_placed_item*>(commands.get(i));
    if (!item || item->placed_rect().is_empty()) return nullptr;
    return &item->placed_rect();
}

bool vux_switch::hits(int32_t i, const vux_point& p) const {
    const vux_rect* r = hit_rect(i);
    return r && r->contains(p);
}

bool vux_switch::press(const vux_point& p) {
    for (int32_t i = 0; i < item_count(); ++i) {
        if (i != current && hits(i, p)) {
            pressed = i;
            return true;
        }
    }
    if (pressed == -1) return false;
    pressed = -1;
    return true;
}

bool vux_switch::release(const vux_point& p) {
    if (pressed < 0 || pressed >= item_count()) return false;
    if (hits(pressed, p)) return false;
    pressed = -1;
    return true;
}

vux_object* vux_switch::pressed_item_at(const vux_point& p) const {
    if (pressed < 0 || pressed >= item_count() || !hits(pressed, p)) return nullptr;
    return commands.get(pressed);
}
