#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

class vux_action_input;
class vux_action_upload;
class vux_data;

// A unit of behaviour: a short header and the steps that run in order.
class vux_action : public vux_model_record<vux_action, vux_type_action> {
public:
    const char* class_name() const override { return "vux_action"; }
    void fields(vux_field_visitor& v) override;

    int32_t step_count() const { return steps.get_count(); }
    // Null for an index outside the list.
    vux_prediction* step_at(int32_t i) const { return static_cast<vux_prediction*>(steps.get(i)); }
    void add_step(std::unique_ptr<vux_prediction> step) { steps.append(std::move(step)); }

    // For an action that only opens a menu (one show step without guard,
    // kind 3, operation 2): copies its target and returns true.
    bool single_show_target(vux_string& out) const;
    // Puts the UTF-8 form of the text into every "copy" launch step that
    // names neither a variable nor an argument.
    void fill_copy_text(const vux_unicode& text);
    // The first upload step whose guard holds, still pending, with a data name.
    vux_action_upload* find_pending_upload(const vux_variables& env) const;
    // Marks that step taken and gives the item its data name; false when none.
    bool take_upload(const vux_variables& env, vux_data& item);
    // The first input step whose guard holds, not completed, with a variable.
    vux_action_input* find_pending_input(const vux_variables& env) const;
    // Completes that step with the text; false when none.
    bool complete_input(const vux_variables& env, const vux_unicode& text);

    int32_t value_1 = 0;
    // For an action arriving as a document record: 1 run at once, 4 restart
    // the action queue with it, 5 push it on the queue, other: keep it.
    int32_t disposition = 0;
    int32_t countdown = 0;  // triggers left before its owner fires it
    int32_t due = 0;        // position on the action queue
    int32_t value_5 = -1;
    vux_string variable;  // set (or removed) before the steps run
    vux_string assigned;
    vux_unicode caption;
    vux_object_list steps;  // vux_prediction items
    vux_string_list extras;

    // run-time
    uint8_t runtime_a = 0;
    uint8_t runtime_b = 0;

private:
    template <class Step>
    Step* first_step(bool (*wanted)(const Step&), const vux_variables& env) const;
};
