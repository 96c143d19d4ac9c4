#pragma once
#include "markup/model/vux_condition.h"

// Conditions in order; an or_next condition and its follower form an
// alternative (evaluated by the environment).
class vux_condition_list : public vux_model_record<vux_condition_list, vux_type_condition_list> {
public:
    const char* class_name() const override { return "vux_condition_list"; }
    void fields(vux_field_visitor& v) override;

    int32_t count() const { return conditions.get_count(); }
    vux_condition* at(int32_t i) const { return conditions.at(i); }
    vux_condition& add() { return conditions.add(); }
    // True when a condition tests exactly this name.
    bool refers_to(const vux_string& name) const;

    vux_record_list<vux_condition> conditions;
};
