#include "markup/model/vux_action_command.h"
#include "markup/model/vux_model_factory.h"

void vux_action_command::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("command", command);
}
