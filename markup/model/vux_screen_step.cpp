#include "markup/model/vux_screen_step.h"

void vux_screen_step::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("screen_kind", screen_kind);
    const char* const* names = integer_names();
    int32_t* const values[] = {&value_2, &value_3, &value_4, &value_5, &value_6, &value_7};
    for (int32_t i = 0; i < 6; ++i) v.int32(names[i], *values[i]);
    v.string("screen", screen);
}

const char* const* vux_screen_step::integer_names() const {
    static const char* const names[] = {"value_2", "value_3", "value_4", "value_5", "value_6", "value_7"};
    return names;
}

const char* const* vux_screen_step::edit_names() {
    static const char* const names[] = {"mode", "index", "keep", "remove", "clear", "carried"};
    return names;
}
