#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_model_factory.h"

void vux_condition_list::fields(vux_field_visitor& v) {
    v.records("conditions", conditions, vux_model_list_of<vux_type_condition>());
}

bool vux_condition_list::refers_to(const vux_string& name) const {
    for (int32_t i = 0; i < count(); ++i)
        if (at(i)->name == name) return true;
    return false;
}
