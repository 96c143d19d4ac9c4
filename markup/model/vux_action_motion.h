#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Runs its actions one by one, one per interval.
class vux_action_motion : public vux_model_record<vux_action_motion, vux_type_action_motion, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_motion"; }
    void fields(vux_field_visitor& v) override;

    bool is_finished() const { return state == 2; }
    int32_t action_count() const { return actions.get_count(); }
    // Moves the motion on by an elapsed amount. Returns the action that is
    // due (owned by the step), or null; the index variable, when named,
    // takes the action's position.
    vux_action* advance(int32_t elapsed_amount, vux_variables& env);

    int32_t start = 0;
    int32_t limit = 0;
    int32_t interval = 0;
    int32_t value_4 = 0;
    vux_string index_variable;
    vux_object_list actions;                 // vux_action items
    std::unique_ptr<vux_action> end_action;  // carried for the document

    // run-time
    int32_t state = 0;  // 0 not started, 1 running, 2 finished
    int32_t position = 0;
    int32_t emitted = 0;
    int64_t elapsed = 0;
};
