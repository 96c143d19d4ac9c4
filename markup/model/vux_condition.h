#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// One test on a variable; the environment evaluates it.
class vux_condition : public vux_model_record<vux_condition, vux_type_condition> {
public:
    const char* class_name() const override { return "vux_condition"; }
    void fields(vux_field_visitor& v) override;

    int32_t op = 0;       // 0..15, 0 = always true
    int32_t or_next = 0;  // non-zero: this and the next condition are alternatives
    int32_t scale = 0;    // non-zero: a decimal operand is multiplied by scale + 1
    vux_string name;      // may be indirect ("$ x")
    vux_string value;     // operand, may be indirect
};
