#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_model_factory.h"

vux_element_box::vux_element_box() = default;
vux_element_box::~vux_element_box() = default;

void vux_element_box::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("line_flags", line_flags);
    v.int32("left", left);
    v.int32("top", top);
    v.int32("top_rows", top_rows);
    v.int32("width", width);
    v.int32("height", height);
    v.int32("height_rows", height_rows);
    v.int32("margin_left", margin_left);
    v.int32("margin_top", margin_top);
    v.int32("margin_right", margin_right);
    v.int32("margin_bottom", margin_bottom);
    v.int32("ground", ground);
    v.int32("ground_s", ground_s);
    v.int32("ground_f", ground_f);
    v.int32("ground_t", ground_t);
    v.int32("ground_corner", ground_corner);
    v.int32("border", border);
    v.int32("border_s", border_s);
    v.int32("border_f", border_f);
    v.int32("border_corner", border_corner);
    v.int32("border_indent", border_indent);
    v.int32("align", align);
    v.int32("breadth", breadth);
    v.int32("text_left", text_left);
    v.int32("text_top", text_top);
    v.int32("text_right", text_right);
    v.int32("text_bottom", text_bottom);
    v.int32("text_align", text_align);
    v.int32("text_valign", text_valign);
    v.int32("text_interval", text_interval);
    v.int32("gap", gap);
    v.int32("index", index);
    v.int32("tile", tile);
    v.int32("fit", fit);
    v.int32("colour_a", colour_a);
    v.int32("triangle", triangle);
    v.string("name", name);
    v.string("key_mark", key_mark);
    v.string("image", image);
    v.string("image_s", image_s);
    v.string("image_f", image_f);
    v.string("image_a", image_a);
    v.record("text", text);
    v.child_as("hyperlink", hyperlink, vux_model_child_of<vux_type_hyperlink>());
    v.child_as("action", action, vux_model_child_of<vux_type_action>());
    v.child_as("press", press, vux_model_child_of<vux_type_action>());
    v.strings("list", list);
}

bool vux_element_box::matches(const char* key) const { return key && vux_string_equals_cstr(name, key); }

std::unique_ptr<vux_object> vux_element_box::clone() const {
    auto copy = vux_clone_record(*this);
    copy->clear_run_time_bits();
    return copy;
}

