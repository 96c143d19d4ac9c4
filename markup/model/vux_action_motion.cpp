#include "markup/model/vux_action_motion.h"
#include <cstdint>
#include "markup/model/vux_model_factory.h"

void vux_action_motion::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("start", start);
    v.int32("limit", limit);
    v.int32("interval", interval);
    v.int32("value_4", value_4);
    v.string("index_variable", index_variable);
    v.records("actions", actions, vux_model_list_of<vux_type_action>());
    v.child_as("end_action", end_action, vux_model_child_of<vux_type_action>());
}

namespace {
// A start off the wire may be negative or far past the list: reduce it into
// 0..n-1 either way.
int32_t wrap_index(int32_t i, int32_t n) {
    const int32_t r = i % n;
    return r < 0 ? r + n : r;
}
}  // namespace

vux_action* vux_action_motion::advance(int32_t elapsed_amount, vux_variables& env) {
    const int32_t n = action_count();
    if (state == 2) return nullptr;
    if (n == 0) {
        state = 2;
        return nullptr;
    }
    if (state == 0) {
        state = 1;
        position = wrap_index(start, n);
        emitted = 1;
    } else {
        elapsed += elapsed_amount;
        if (elapsed < interval) return nullptr;
        if (limit > 0 && emitted >= limit) {
            state = 2;
            return nullptr;
        }
        position = wrap_index(position, n);
        if (emitted < INT32_MAX) ++emitted;
    }
    elapsed = 0;
    if (!index_variable.empty()) env.set_integer(index_variable, position);
    auto* due = static_cast<vux_action*>(actions.get(position));
    ++position;
    return due;
}
