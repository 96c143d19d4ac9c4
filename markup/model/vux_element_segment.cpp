#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_element_segment_aux.h"
#include "markup/model/vux_model_factory.h"

vux_element_segment::vux_element_segment() = default;
vux_element_segment::~vux_element_segment() = default;

void vux_element_segment::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("align", align);
    v.int32("ground", ground);
    v.int32("bright", bright);
    v.string("name", name);
    v.record("text", text);
    v.child_as("icon", icon, vux_model_child_of<vux_type_icon>());
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

bool vux_element_segment::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }

std::unique_ptr<vux_object> vux_element_segment::clone() const {
    auto copy = vux_clone_record(*this);
    copy->set_flag(fixed_bit, false);
    return copy;
}
