#include "markup/model/vux_element_client.h"
#include "markup/model/vux_model_factory.h"

void vux_element_client::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("font_size", font_size);
    v.int32("last_row_colour", last_row_colour);
    v.int32("value_4", value_4);
    v.int32("row_style", row_style);
    v.int32("maximum_paragraphs", maximum_paragraphs);
    v.string("string_1", string_1);
    v.string("string_2", string_2);
    // Only paragraphs: any other code is a stream out of step and fails.
    v.records("paragraphs", paragraphs, vux_model_list_of<vux_type_element_paragraph>());
    v.child_as("default_action", default_action, vux_model_child_of<vux_type_action>());
    v.child_as("pull_top", pull_top, vux_model_child_of<vux_type_action>());
    v.child_as("pull_bottom", pull_bottom, vux_model_child_of<vux_type_action>());
    v.child_as("scroll_bar", scroll_bar, vux_model_child_of<vux_type_element_scrollbar>());
    v.strings("pending_names", pending_names);
    v.strings("list_2", list_2);
}
