#include "markup/model/vux_action_sms.h"
#include "markup/model/vux_model_factory.h"

void vux_action_sms::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.string("number", number);
    v.string("text_variable", text_variable);
    v.unicode("text", text);
}
