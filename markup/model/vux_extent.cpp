#include "markup/model/vux_extent.h"

void vux_extent::fields(vux_field_visitor& v) {
    v.int32("variant", variant);
    v.integers("entries", entries);
}
