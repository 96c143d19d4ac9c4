#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"

// Name/value text pairs: names at even positions, each value after its name.
class vux_resource : public vux_model_record<vux_resource, vux_type_resource> {
public:
    const char* class_name() const override { return "vux_resource"; }
    void fields(vux_field_visitor& v) override;

    // Position of the first name (even positions only) equal to the text, -1 if none.
    int32_t index_of(const vux_string& name) const;
    // The item after the given position; empty when there is none (a list
    // with an odd number of items has no value after its last name).
    const vux_string& value_at(int32_t position) const;
    void assign(const vux_resource& other) { pairs.assign(other.pairs); }

    vux_string_list pairs;
};
