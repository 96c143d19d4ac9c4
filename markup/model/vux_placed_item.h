#pragma once
#include "core/vux_rect.h"

// An item whose rectangle the canvas sets when it paints it (the commands of
// a switch). Records that hit-test their items ask for it through this.
class vux_placed_item {
public:
    virtual ~vux_placed_item();
    virtual const vux_rect& placed_rect() const = 0;
};
