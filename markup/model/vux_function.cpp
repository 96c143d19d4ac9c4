#include "markup/model/vux_function.h"
#include "core/vux_writer.h"

void vux_function::fields(vux_field_visitor& v) {
    v.string("name", name);
    v.string("title", title);
    v.record("action", action);
}

void vux_function::write_label(vux_writer& w) const {
    if (name.empty()) return;
    if (title.empty())
        w.write_string(name);
    else
        w.write_string(name + ": " + title);
}
