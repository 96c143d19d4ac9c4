#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Sets a soft key of a window's command bar.
class vux_action_softkey : public vux_model_record<vux_action_softkey, vux_type_action_softkey, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_softkey"; }
    void fields(vux_field_visitor& v) override;

    int32_t slot() const { return value_1 != 0 ? 1 : 0; }
    int32_t save_mode() const { return value_2; }
    bool clear_flag() const { return value_3 != 0; }

    int32_t value_1 = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    vux_string window;                    // a kept window whose command bar takes the step
    std::unique_ptr<vux_record> command;  // element
};
