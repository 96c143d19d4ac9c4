#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_pick.h"
#include "markup/model/vux_variables.h"

class vux_action_pick;

// A named list of picks whose selection can follow a variable of that name.
class vux_option : public vux_model_record<vux_option, vux_type_option> {
public:
    const char* class_name() const override { return "vux_option"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override { return key && vux_string_equals_cstr(name, key); }

    bool move(bool backward, bool wrap) {
        return vux_pick::move_selection(selected, picks.get_count(), backward, wrap);
    }
    // Moves the option itself or its selected pick, as the step says; true
    // when the selection moved.
    bool apply_pick_step(const vux_action_pick& step);
    vux_pick* selected_pick() const { return picks.at(selected); }
    // The selected pick's text; empty when the selection lies outside the picks.
    const vux_string& selected_text() const;
    // "name: selected text".
    void write_label(vux_writer& w) const;
    // When linked and the variable exists, the first pick that accepts its
    // value becomes the selection.
    void select_from_variable(const vux_variables& env);

    int32_t linked = 0;
    int32_t selected = 0;
    vux_string name;  // also the variable it follows
    vux_string title;
    vux_record_list<vux_pick> picks;
};
