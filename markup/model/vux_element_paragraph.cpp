#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_model_factory.h"

void vux_element_paragraph::fields(vux_field_visitor& v) {
    v.int32("flags", flags);
    v.int32("row_colour", row_colour);
    v.int32("countdown", countdown);
    v.int32("lines", lines);
    v.int32("row_box_a", row_box_a);
    v.int32("row_box_b", row_box_b);
    v.int32("row_box_c", row_box_c);
    v.int32("row_box_d", row_box_d);
    v.int32("top_space", top_space);
    v.int32("top_rows", top_rows);
    v.int32("margin_left", margin_left);
    v.int32("margin_right", margin_right);
    v.int32("bottom_space", bottom_space);
    v.int32("minimum_height", minimum_height);
    v.int32("page_index", page_index);
    v.int32("page_width", page_width);
    v.int32("page_switch", page_switch);
    v.int32("page_count", page_count);
    v.string("name", name);
    v.records("children", children, vux_model_paragraph_children);
    v.child_as("guard", guard, vux_model_child_of<vux_type_condition_list>());
    v.strings("list", list);
}

std::unique_ptr<vux_object> vux_element_paragraph::clone() const {
    auto copy = vux_clone_record(*this);
    copy->set_flag(measured_bit, false);
    for (int32_t i = 0; i < copy->children.get_count(); ++i) {
        vux_object* child = copy->children.get(i);
        if (auto* box = dynamic_cast<vux_element_box*>(child)) box->clear_run_time_bits();
        if (auto* segment = dynamic_cast<vux_element_segment*>(child)) segment->set_flag(vux_element_segment::fixed_bit, false);
        if (auto* image = dynamic_cast<vux_element_image*>(child)) image->set_flag(vux_element_image::fixed_bit, false);
    }
    return copy;
}
