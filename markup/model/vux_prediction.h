#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_record.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_variables.h"

// The part of every action step that comes first on the wire: stop flag,
// skip count, optional guard and extras. The step's own fields follow.
class vux_prediction : public vux_record {
public:
    // The base fields; each step's fields() calls this first.
    void fields(vux_field_visitor& v) override;

    // The step runs only when its guard holds (no guard: always).
    bool holds(const vux_variables& env) const { return env.check_conditions(guard.get()); }
    // Steps to pass over after this one. A negative count off the wire would
    // walk the action backwards for ever, so it counts as 0.
    int32_t skip_count() const { return skip < 0 ? 0 : skip; }

    // A new default step for 1201..1224; null for any other code.
    static std::unique_ptr<vux_prediction> create_step(int32_t code);
    // The step's clone when its code lies in 1201..1224, else null.
    static std::unique_ptr<vux_prediction> clone_step(const vux_prediction& step);

    int32_t stop = 0;  // non-zero: the action ends after this step
    int32_t skip = 0;
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list extras;
};
