#include "markup/model/vux_resource.h"

void vux_resource::fields(vux_field_visitor& v) { v.strings("pairs", pairs); }

int32_t vux_resource::index_of(const vux_string& name) const {
    for (int32_t i = 0; i < pairs.count(); i += 2)
        if (pairs.item_at(i) == name) return i;
    return -1;
}

const vux_string& vux_resource::value_at(int32_t position) const {
    static const vux_string none;
    if (position < 0 || position >= pairs.count() - 1) return none;
    return pairs.item_at(position + 1);
}
