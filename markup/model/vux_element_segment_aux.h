#pragma once
#include <cstdint>
#include <vector>
#include "core/vux_object.h"
#include "markup/model/vux_layout_point.h"

// What measuring a segment computes: its lines' starts, positions and widths.
class vux_element_segment_aux : public vux_object {
public:
    std::vector<int32_t> widths;
    std::vector<int32_t> breaks;
    std::vector<vux_layout_point> starts;
    std::vector<int32_t> line_widths;
    int32_t top = 0;
    int32_t bottom = 0;
};
