#include "markup/model/vux_action_element.h"
#include "markup/model/vux_model_factory.h"

void vux_action_element::fields(vux_field_visitor& v) {
    vux_screen_step::fields(v);
    v.string("text_1", text_1);
    v.records("elements", elements, vux_model_paragraph_children);
}

const char* const* vux_action_element::integer_names() const { return edit_names(); }
