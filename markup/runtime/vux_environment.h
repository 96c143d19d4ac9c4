#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_string.h"
#include "core/vux_string_list.h"
#include "core/vux_unicode.h"
#include "markup/model/vux_variables.h"

class vux_condition;
class vux_condition_list;

// Named text variables shared by markup, steps, conditions and the runtime,
// in insertion order with unique names.
//
// Name forms: a name ending in "!" is stored and read verbatim; "$ x" (not
// ending in "!") means the variable whose name is the value of x.
// Value forms, evaluated on reading: "$ y" (the value of y), "^ y" and "~ y"
// (the one and zero bits of y's value). Assigning "c rest" with c one of
// + - * / 0 1 2 3 . # applies an operator to the variable instead.
//
// Stream form: int32 count of pairs, then per pair one string, "name" when
// the value is "ok", else "name: value".
class vux_environment : public vux_record, public vux_variables {
public:
    // Deepest chain of "$" references followed on one lookup; a longer chain
    // (or a cycle) reads as absent.
    static constexpr int32_t max_depth = 16;

    const char* class_name() const override { return "vux_environment"; }
    void fields(vux_field_visitor& v) override;

    bool get(const vux_string& name, vux_string& value) const override;
    void assign(const vux_string& name, const vux_string& value) override;
    bool remove(const vux_string& name) override;
    bool check_conditions(const vux_condition_list* list) const override;
    bool check_condition(const vux_condition& c) const;

    void set_ok(const vux_string& name) { assign(name, vux_string("ok")); }
    bool get_unicode(const vux_string& name, vux_unicode& text) const;
    void set_unicode(const vux_string& name, const vux_unicode& text);
    // Each name/value pair of the list: an empty value removes the name.
    void assign_pairs(const vux_string_list& pairs);
    // Assigns the TEA text form of plain; the key is the key text itself or,
    // for "$ k", the value of k (false when k is absent).
    bool set_tea(const vux_string& name, const vux_string& key, const vux_string& plain);

    // A target name as a step or an image reference gives it: "$ x" stands
    // for the value of x (empty when x is absent), any other name for itself.
    vux_string target_name(const vux_string& name) const;

    // Names of the loaded data items (tested by conditions 12 and 13).
    void add_data_name(const vux_string& name) { data_names_.append_unique(name); }
    bool remove_data_name(const vux_string& name) { return data_names_.remove(name); }
    bool has_data_name(const vux_string& name) const { return data_names_.find(name) >= 0; }

    // The stored pairs, unevaluated.
    int32_t count() const { return values_.count() / 2; }
    const vux_string& name_at(int32_t i) const { return values_.item_at(2 * i); }
    const vux_string& stored_at(int32_t i) const { return values_.item_at(2 * i + 1); }
    bool contains(const vux_string& name) const;
    // Every pair of another store assigned here (plainly: values are copied
    // as they are stored, not parsed again).
    void assign_all(const vux_environment& other);
    void clear() { values_.clear(); }
    // Stores the value under the name as it stands: no operator, no "$".
    void set_plain(const vux_string& name, const vux_string& value) { put(name, value); }

private:
    bool get_at(const vux_string& name, int32_t depth, vux_string& value) const;
    bool lookup(const vux_string& literal, int32_t depth, vux_string& value) const;
    bool resolve(const vux_string& name, int32_t depth, vux_string& literal) const;
    bool evaluate(const vux_string& stored, int32_t depth, vux_string& value) const;
    int32_t find(const vux_string& literal) const;
    void put(const vux_string& literal, const vux_string& value);
    int64_t operand_integer(const vux_string& operand) const;
    void apply_operator(char op, const vux_string& name, const vux_string& operand);

    vux_string_list values_;  // name, value, name, value, ...
    vux_string_list data_names_;
};
