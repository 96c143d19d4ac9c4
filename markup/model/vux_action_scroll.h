#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Scrolls a window's client or records its scroll marks.
class vux_action_scroll : public vux_model_record<vux_action_scroll, vux_type_action_scroll, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_scroll"; }
    void fields(vux_field_visitor& v) override;

    int32_t mode = 0;  // 0: record the scroll marks, other: scroll
    int32_t amount = 0;
    vux_string window;
    vux_string paragraph;
    vux_string element;
};
