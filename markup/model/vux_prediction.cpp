#include "markup/model/vux_prediction.h"
#include "markup/model/vux_model_factory.h"

void vux_prediction::fields(vux_field_visitor& v) {
    v.int32("stop", stop);
    v.int32("skip", skip);
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("extras", extras);
}

std::unique_ptr<vux_prediction> vux_prediction::create_step(int32_t code) {
    auto step = vux_model_make_step(code);
    return std::unique_ptr<vux_prediction>(static_cast<vux_prediction*>(step.release()));
}

std::unique_ptr<vux_prediction> vux_prediction::clone_step(const vux_prediction& step) {
    const int32_t code = step.type_code();
    if (code < vux_type_action_animation || code > vux_type_action_upload) return nullptr;
    auto copy = step.clone();
    return std::unique_ptr<vux_prediction>(static_cast<vux_prediction*>(copy.release()));
}
