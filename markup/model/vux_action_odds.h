#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Runs one operation of an odds record.
class vux_action_odds : public vux_model_record<vux_action_odds, vux_type_action_odds, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_odds"; }
    void fields(vux_field_visitor& v) override;

    int32_t operation = 0;  // 1..15
    int32_t sorted = 0;
    int32_t locate_exact = 0;
    int32_t min_bits = 0;
    int32_t max_results = 0;
    vux_string odds_name;
    vux_string item_variable;
    vux_string query_variable;
    vux_string count_variable;
    vux_string index_variable;
    vux_string exact_variable;
};
