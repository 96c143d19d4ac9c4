#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_model_factory.h"

void vux_action_paragraph::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("screen_kind", screen_kind);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.int32("value_5", value_5);
    v.int32("value_6", value_6);
    v.int32("value_7", value_7);
    v.string("screen", screen);
    v.strings("names", names);
    v.records("paragraphs", paragraphs, vux_model_list_of<vux_type_element_paragraph>());
}
