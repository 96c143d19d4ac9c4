#pragma once
#include <cstdint>
#include "core/vux_object.h"
#include "markup/model/vux_layout_rect.h"

// Where measuring placed an image's picture and label.
class vux_element_image_aux : public vux_object {
public:
    vux_layout_rect picture;
    vux_layout_rect label;
};
