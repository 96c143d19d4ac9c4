#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_model_factory.h"

void vux_action_upload::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("state", state);
    v.int32("value_2", value_2);
    v.string("data_name", data_name);
    v.string("text_1", text_1);
    v.int32("value_5", value_5);
}
