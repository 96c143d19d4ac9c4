#pragma once
#include <memory>
#include "core/vux_object_list.h"
#include "core/vux_rect.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_element_command.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_screen.h"

class vux_action_menu;
class vux_variables;

// A list or grid of commands popped up over the screen.
class vux_menu : public vux_screen {
public:
    static constexpr int32_t code = vux_type_menu;
    static constexpr int32_t grid_style = 5;
    vux_menu() { show_title = 1; }
    int32_t type_code() const override { return code; }
    const char* class_name() const override { return "vux_menu"; }
    void fields(vux_field_visitor& v) override;

    vux_element_command* command(int32_t i) const { return commands.get_as<vux_element_command>(i); }
    int32_t count() const { return commands.get_count(); }
    int32_t columns() const { return style == 2 ? 3 : (style == 3 || style == 4) ? 2 : 1; }
    bool is_empty() const { return count() == 0; }
    bool is_visible(int32_t i) const { return command(i) && !command(i)->hidden; }
    bool all_hidden_from(int32_t index) const;
    bool contains(const vux_point& p) const { return bounds.contains(p); }
    bool is_pressed() const { return pressed != 0; }
    void clear_press() { pressed = tracking = 0; }
    bool pointer_on_selection(const vux_point& p) const;

    // Re-evaluates every command's guard; the first visible one is selected.
    bool refresh(const vux_variables& environment);
    // Keeps the selection on a visible command of the list (-1 when none).
    void validate_selection();

    // False unless kept: a command's badge variable or a guard refers to the name.
    bool has_command(const vux_string& name) const;
    const vux_element_command* find_enabled_command(const vux_variables& environment) const;
    int32_t count_enabled(const vux_variables& environment) const;
    // The command bar's count-down first, then the commands' in order; the
    // first action to reach 0 is returned and the rest wait for the next call.
    vux_action* count_down(const vux_variables& environment);
    // Replaces, inserts, appends or removes commands; the selection is re-validated.
    void apply_menu_step(const vux_action_menu& step);

    bool select_next();
    bool select_previous();
    bool select_right();
    bool select_left();
    bool press(const vux_point& p);
    int32_t track_pointer(const vux_point& p);

    int32_t value_1 = 0;
    int32_t style = 0;
    int32_t value_5 = 3;
    int32_t layout_1 = 0, layout_2 = 0, layout_3 = 0, layout_4 = 0, layout_5 = 0, layout_6 = 0, layout_7 = 0;
    int32_t value_13 = -1, value_14 = -1, value_15 = -1, value_16 = -1;
    vux_string third;
    vux_element_commandbar commandbar;
    vux_object_list commands;
    std::unique_ptr<vux_overtime> overtime;
    vux_string_list extras;

    // run-time
    int32_t row_step = 0;
    int32_t selected = 0;
    uint8_t pressed = 0;
    uint8_t tracking = 0;
    vux_rect bounds;

private:
    bool can_move() const { return selected >= 0 && selected < count() && !pressed; }
    int32_t first_visible_from(int32_t i, int32_t direction) const;
    int32_t hit_visible(const vux_point& p) const;
};
