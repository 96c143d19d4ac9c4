#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_model_factory.h"

void vux_action_paragraph::fields(vux_field_visitor& v) {
    vux_screen_step::fields(v);
    v.strings("names", names);
    v.records("paragraphs", paragraphs, vux_model_list_of<vux_type_element_paragraph>());
}

const char* const* vux_action_paragraph::integer_names() const { return edit_names(); }
