#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"
#include "markup/model/vux_layout_point.h"

// What measuring a segment computes: the layout's margins then, where it
// started and ended, the roll of a "waiter" text, each unit's width and
// the index at which each of its later lines starts.
class vux_element_segment_aux : public vux_object {
public:
    int32_t margin_left = 0;
    int32_t margin_right = 0;
    int32_t roll = 0;
    int32_t last_top = 0;  // top y of the last line
    int32_t end_x = 0;     // pen x after the segment
    vux_layout_point start;
    std::vector<int32_t> widths;
    std::vector<int32_t> line_starts;
};
