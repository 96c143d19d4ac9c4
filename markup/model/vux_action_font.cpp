#include "markup/model/vux_action_font.h"
#include "markup/model/vux_model_factory.h"

void vux_action_font::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.string("window", window);
    v.int32("font", font);
}
