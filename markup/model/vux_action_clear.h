#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Clears kinds of document content selected by its flag word.
class vux_action_clear : public vux_model_record<vux_action_clear, vux_type_action_clear, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_clear"; }
    void fields(vux_field_visitor& v) override;

    int32_t what = 0;  // flag word: bit 10 is applied first, then bits 0..9
    vux_string target;  // name prefix of what is cleared
};
