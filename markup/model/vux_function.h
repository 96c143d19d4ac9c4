#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_model_record.h"

// A named action that the document calls by name.
class vux_function : public vux_model_record<vux_function, vux_type_function> {
public:
    const char* class_name() const override { return "vux_function"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override { return key && vux_string_equals_cstr(name, key); }

    // Nothing for an empty name; the name alone without a title; else one
    // string "name: title".
    void write_label(vux_writer& w) const;

    vux_string name;
    vux_string title;
    vux_action action;
};
