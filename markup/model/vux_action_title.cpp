#include "markup/model/vux_action_title.h"
#include "markup/model/vux_model_factory.h"

void vux_action_title::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.string("window", window);
    v.unicode("text", text);
}
