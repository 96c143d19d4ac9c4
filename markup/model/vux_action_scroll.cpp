#include "markup/model/vux_action_scroll.h"
#include "markup/model/vux_model_factory.h"

void vux_action_scroll::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("mode", mode);
    v.int32("amount", amount);
    v.string("window", window);
    v.string("paragraph", paragraph);
    v.string("element", element);
}
