#include "markup/model/vux_action_element.h"
#include "markup/model/vux_model_factory.h"

namespace {
// The client lays out segments, boxes and images only; any other code is a
// stream out of step and fails the read.
std::unique_ptr<vux_record> make_element_item(int32_t code) {
    switch (code) {
    case vux_type_element_segment:
    case vux_type_element_box:
    case vux_type_element_image: return vux_model_make_element(code);
    default: return nullptr;
    }
}
constexpr vux_record_factory element_items{true, make_element_item};
}  // namespace

void vux_action_element::fields(vux_field_visitor& v) {
    vux_screen_step::fields(v);
    v.string("text_1", text_1);
    v.records("elements", elements, element_items);
}
