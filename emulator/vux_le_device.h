#pragma once
#include "emulator/vux_le_area_list.h"

// The emulated device: its default screen size and its named areas; the
// area "CLIENT", when defined, gives the screen size.
class vux_le_device {
public:
    void set_default_size(int width, int height) {
        default_width_ = width;
        default_height_ = height;
    }
    int screen_width() const;
    int screen_height() const;
    vux_le_area_list& areas() { return areas_; }

private:
    int default_width_ = 0;
    int default_height_ = 0;
    vux_le_area_list areas_;
};
