#pragma once
#include <array>
#include "core/vux_point.h"
#include "core/vux_rect.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// A named set of commands shown as a tab strip.
class vux_switch : public vux_model_record<vux_switch, vux_type_switch> {
public:
    const char* class_name() const override { return "vux_switch"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override { return key && vux_string_equals_cstr(name, key); }

    int32_t item_count() const { return commands.get_count(); }
    // Presses the first item with a non-empty rectangle holding the point that
    // is not the current one (true). Without such an item a press in force is
    // cleared (true); else false.
    bool press(const vux_point& p);
    // Clears the press unless the pressed item still holds the point; false
    // when nothing was pressed or the press stays.
    bool release(const vux_point& p);
    // The pressed item when its rectangle holds the point; null otherwise.
    vux_object* pressed_item_at(const vux_point& p) const;

    // Carried for the elements and the canvas.
    std::array<int32_t, 15> values{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, -1, -1, -1};
    vux_string name;
    vux_string title;
    vux_object_list commands;  // command elements (1102)
    vux_string_list extras;

    // run-time
    int32_t current = -1;
    int32_t pressed = -1;
    vux_rect bounds;

private:
    // The item's placed rectangle when it is not empty.
    const vux_rect* hit_rect(int32_t i) const;
    bool hits(int32_t i, const vux_point& p) const;
};
