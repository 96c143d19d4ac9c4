#pragma once
#include <QRect>
#include <vector>

// Where a texture's pieces go: each draw stretches the source rectangle of
// the image onto the destination rectangle.
struct vux_le_texture_draw {
    QRect target;
    QRect source;
};

// The draws of texture mode 0-5 for an image of iw x ih into (x, y, w, h).
// Computed in 64-bit; zero or negative sizes, negative slices and unknown
// modes give no draws; caps that come out negative draw the whole image.
std::vector<vux_le_texture_draw> vux_le_texture_draws(int mode, int iw, int ih, int x, int y, int w, int h);
