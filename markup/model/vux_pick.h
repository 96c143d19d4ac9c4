#pragma once
#include "markup/model/vux_model_record.h"

// A list of texts with a selection. A plain record: no code on the wire.
class vux_pick : public vux_record {
public:
    const char* class_name() const override { return "vux_pick"; }
    void fields(vux_field_visitor& v) override;
    std::unique_ptr<vux_object> clone() const override { return vux_clone_record(*this); }

    // One step back or forward over n items, wrapping when asked; false when
    // it did not move (fewer than two items, or at an end without wrap). A
    // selection off the wire outside the items moves to the first item
    // (forward) or the last (backward).
    static bool move_selection(int32_t& selected, int32_t n, bool backward, bool wrap);

    bool move(bool backward, bool wrap) { return move_selection(selected, choices.count(), backward, wrap); }
    // The selected choice; empty when the selection lies outside the choices.
    const vux_string& selected_text() const { return choices.item_at(selected); }
    // Selects the first choice equal to the text; false when not linked or
    // no choice is equal.
    bool select_text(const vux_string& text);

    int32_t linked = 0;  // non-zero: can be selected by text
    int32_t selected = 0;
    vux_string_list choices;
};
