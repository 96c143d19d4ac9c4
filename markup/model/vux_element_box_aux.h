#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"
#include "markup/model/vux_layout_point.h"

// What measuring a box computes: never serialised.
class vux_element_box_aux : public vux_object {
public:
    bool placed = false;
    int32_t text_height = 0;
    int32_t scroll_offset = 0;
    int32_t roll = 0;
    vux_layout_point top_left;
    vux_layout_point bottom_right;
    std::vector<int32_t> widths;
    std::vector<int32_t> breaks;
    std::vector<int32_t> lines;
};
