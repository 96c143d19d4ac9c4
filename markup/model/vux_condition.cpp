#include "markup/model/vux_condition.h"

void vux_condition::fields(vux_field_visitor& v) {
    v.int32("op", op);
    v.int32("or_next", or_next);
    v.int32("scale", scale);
    v.string("name", name);
    v.string("value", value);
}
