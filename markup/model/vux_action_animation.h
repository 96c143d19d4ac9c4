#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Plays an animation from a data item; its end action runs when it stops.
class vux_action_animation : public vux_model_record<vux_action_animation, vux_type_action_animation, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_animation"; }
    void fields(vux_field_visitor& v) override;

    int32_t value_1 = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    int32_t value_4 = 0;
    int32_t value_5 = 0;
    vux_string name;
    std::unique_ptr<vux_action> end_action;
};
