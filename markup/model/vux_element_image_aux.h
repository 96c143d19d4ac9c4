#pragma once
#include <cstdint>
#include "core/vux_object.h"
#include "markup/model/vux_layout_point.h"

// What measuring an image computes: the layout's margins then, the label's
// width, the group's columns, the rows taken and where the image started.
class vux_element_image_aux : public vux_object {
public:
    int32_t margin_left = 0;
    int32_t margin_right = 0;
    int32_t label_width = 0;
    int32_t columns = 1;
    int32_t rows = 0;
    vux_layout_point start;
};
