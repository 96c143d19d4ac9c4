#pragma once
#include <memory>
#include "core/vux_object_list.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_element_flags.h"
#include "markup/model/vux_model_record.h"

// One block of a client's content: segments, boxes and images laid out
// together, with spacing, row decoration, a visibility rule and paging.
class vux_element_paragraph : public vux_model_record<vux_element_paragraph, vux_type_element_paragraph> {
public:
    static constexpr int32_t default_flags = 0x20;  // shown
    static constexpr int32_t measured_bit = 4;

    const char* class_name() const override { return "vux_element_paragraph"; }
    void fields(vux_field_visitor& v) override;
    // The run-time measured bit is not carried into a copy (nor into its children's).
    std::unique_ptr<vux_object> clone() const override;

    bool flag(int32_t bit) const { return vux_flag_bit(flags, bit); }
    void set_flag(int32_t bit, bool on) { vux_set_flag_bit(flags, bit, on); }

    int32_t flags = default_flags;
    int32_t row_colour = 2;
    int32_t countdown = 0;
    int32_t lines = 0;
    int32_t row_box_a = 0;
    int32_t row_box_b = 0;
    int32_t row_box_c = 0;
    int32_t row_box_d = 0;
    int32_t top_space = 0;
    int32_t top_rows = 0;
    int32_t margin_left = 0;
    int32_t margin_right = 0;
    int32_t bottom_space = 0;
    int32_t minimum_height = 0;
    int32_t page_index = 0;
    int32_t page_width = 0;
    int32_t page_switch = 0;
    int32_t page_count = 0;
    vux_string name;
    vux_object_list children;  // segments, boxes and images
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list list;

    // run-time
    int32_t row_colour_in_use = 0;
    int32_t top_y = 0;
    int32_t height_px = 0;
    int32_t drag_offset = 0;
    int32_t page_width_px = 0;
    int32_t page_switch_px = 0;
};
