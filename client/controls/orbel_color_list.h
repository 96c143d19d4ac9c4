#pragma once
#include <array>

#include "client/controls/orbel_grid.h"

// The grid of the colour picker: the ten palette colours (0xRRGGBB), the
// pressed cell framed black, the others white.
class orbel_color_list : public orbel_grid {
    Q_OBJECT
public:
    static constexpr std::array<int, 10> palette = {0xF09609, 0x1BA1E2, 0x8CBF26, 0xE671B8, 0x9700FF,
                                                    0x09F096, 0xE21BA1, 0x26BF26, 0xB8C6F1, 0xFF9796};
    using orbel_grid::orbel_grid;

protected:
    int cell_count() const override { return int(palette.size()); }
    void paint_cell(QPainter& painter, int index, const QRect& cell, bool pressed) override;
};
