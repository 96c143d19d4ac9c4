#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Plays music from a data item.
class vux_action_music : public vux_model_record<vux_action_music, vux_type_action_music, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_music"; }
    void fields(vux_field_visitor& v) override;

    int32_t value_1 = 1;
    vux_string name;  // what to play; empty: nothing
    vux_string type_text;
    std::unique_ptr<vux_action> end_action;
};
