#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_variables.h"

class vux_action_odds;

// A named table of bits, rows x columns, with a cursor over the results of
// the last query. The odds step runs one of fifteen operations on it.
//
// The table comes off the wire: a `bits` buffer shorter than the table reads
// its missing cells as clear, rows past the buffer are not visited, and a
// query keeps at most max_found results.
class vux_odds : public vux_model_record<vux_odds, vux_type_odds> {
public:
    static constexpr int32_t max_found = 65536;

    const char* class_name() const override { return "vux_odds"; }
    void fields(vux_field_visitor& v) override;
    bool matches(const char* key) const override { return key && vux_string_equals_cstr(name, key); }

    // Cell (r, c) is bit r * columns + c of `bits`, least significant first.
    bool cell(int32_t r, int32_t c) const;
    // Runs the step's operation with the variables; false for an unknown
    // operation or one that found nothing to do.
    bool apply(const vux_action_odds& step, vux_variables& env);

    // The query itself, for a mask (columns c with bit c mod 32) or a pattern
    // of '0' and '1' (columns whose character is '1').
    struct query {
        bool pattern_form = false;
        uint32_t mask = 0;
        vux_string pattern;
        int32_t limit = 0;  // 0: up to max_found
        bool sorted = false;
        bool exact_wanted = false;
    };
    void run_query(const query& q);

    int32_t rows = 0;
    int32_t columns = 0;
    vux_string name;  // also the default result variable
    vux_string title;
    vux_buffer bits;

    // run-time
    int32_t cursor = -1;
    vux_string_list results;
    uint8_t count_only = 0;
    uint8_t exact_found = 0;
    int32_t found = 0;

private:
    int32_t visible_rows() const;
    int32_t visible_columns() const;
    bool clear_results();
    bool collect(const vux_action_odds& step, vux_variables& env, bool pattern_form, bool counting);
    bool move(const vux_action_odds& step, vux_variables& env, int32_t operation);
    bool emit(const vux_action_odds& step, vux_variables& env);
    const vux_string& item_variable(const vux_action_odds& step) const;
};
