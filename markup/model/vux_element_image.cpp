#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_image_aux.h"
#include "markup/model/vux_model_factory.h"

vux_element_image::vux_element_image() = default;
vux_element_image::~vux_element_image() = default;

void vux_element_image::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("align", align);
    v.int32("label_align", label_align);
    v.int32("vertical_nudge", vertical_nudge);
    v.int32("width", width);
    v.int32("height", height);
    v.int32("outer", outer);
    v.int32("inner", inner);
    v.int32("count", count);
    v.int32("position", position);
    v.int32("interval", interval);
    v.int32("gap", gap);
    v.int32("index", index);
    v.string("name", name);
    v.string("key_mark", key_mark);
    v.string("primary", primary);
    v.string("secondary", secondary);
    v.record("text", text);
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

std::unique_ptr<vux_object> vux_element_image::clone() const {
    auto copy = vux_clone_record(*this);
    copy->set_flag(fixed_bit, false);
    return copy;
}
