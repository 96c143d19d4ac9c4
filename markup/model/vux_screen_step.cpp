#include "markup/model/vux_screen_step.h"

void vux_screen_step::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("screen_kind", screen_kind);
    v.int32("value_2", value_2);
    v.int32("value_3", value_3);
    v.int32("value_4", value_4);
    v.int32("value_5", value_5);
    v.int32("value_6", value_6);
    v.int32("value_7", value_7);
    v.string("screen", screen);
}
