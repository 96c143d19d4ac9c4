#include "emulator/vux_le_texture.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using draws = std::vector<vux_le_texture_draw>;

TEST(Texture, three_slice_on_a_forty_pixel_image) {
    // 40 x 20 image: cap g = 40 * 50 / 100 - 4 = 16; into 200 x 20 the
    // caps keep 16 px and the middle stretches 8 source px over 168.
    const draws d = vux_le_texture_draws(0, 40, 20, 0, 0, 200, 20);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].target, QRect(0, 0, 16, 20));
    EXPECT_EQ(d[0].source, QRect(0, 0, 16, 20));
    EXPECT_EQ(d[1].target, QRect(16, 0, 168, 20));
    EXPECT_EQ(d[1].source, QRect(16, 0, 8, 20));
    EXPECT_EQ(d[2].target, QRect(184, 0, 16, 20));
    EXPECT_EQ(d[2].source, QRect(24, 0, 16, 20));
    // a rectangle no wider than the image takes it whole
    const draws n = vux_le_texture_draws(0, 40, 20, 5, 5, 30, 20);
    ASSERT_EQ(n.size(), 1u);
    EXPECT_EQ(n[0].target, QRect(5, 5, 30, 20));
    EXPECT_EQ(n[0].source, QRect(0, 0, 40, 20));
}

TEST(Texture, nine_slice_covers_the_rectangle) {
    // 64 x 64: k = 28, t = 44, b = 16 into 200 x 96
    const draws d = vux_le_texture_draws(2, 64, 64, 0, 0, 200, 96);
    ASSERT_EQ(d.size(), 9u);
    EXPECT_EQ(d[4].target, QRect(28, 44, 144, 36));  // the middle is not empty
    EXPECT_EQ(d[4].source, QRect(28, 44, 4, 4));
    EXPECT_EQ(d[8].target, QRect(172, 80, 28, 16));
    EXPECT_EQ(d[8].source, QRect(36, 48, 28, 16));
    long area = 0;
    for (const auto& p : d) area += long(p.target.width()) * p.target.height();
    EXPECT_EQ(area, 200L * 96);
}

TEST(Texture, tiles_and_crop) {
    // mode 3: 40 x 20 into 100 x 20: tiles of 40, last cut to 20 from 20 px
    const draws h = vux_le_texture_draws(3, 40, 20, 0, 0, 100, 20);
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[2].target, QRect(80, 0, 20, 20));
    EXPECT_EQ(h[2].source, QRect(0, 0, 20, 20));
    // mode 4: 20 x 40 into 20 x 90: tiles of 40, last cut to 10
    const draws v = vux_le_texture_draws(4, 20, 40, 0, 0, 20, 90);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2].target, QRect(0, 80, 20, 10));
    EXPECT_EQ(v[2].source, QRect(0, 0, 20, 10));
    // mode 5: 40 x 100 into 40 x 30: the bottom 30 rows
    const draws c = vux_le_texture_draws(5, 40, 100, 0, 0, 40, 30);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].source, QRect(0, 70, 40, 30));
}

TEST(Texture, hostile_geometry_draws_nothing_or_the_whole_image) {
    struct row {
        int mode, iw, ih, x, y, w, h;
        int max_draws;
    } rows[] = {
        {0, 0, 20, 0, 0, 100, 20, 0},
        {0, 40, 20, 0, 0, 0, 20, 0},
        {0, 40, 20, 0, 0, -5, 20, 0},
        {0, 6, 6, 0, 0, 100, 20, 1},  // caps under 0: whole image
        {1, 6, 6, 0, 0, 20, 100, 1},
        {2, 6, 6, 0, 0, 100, 100, 1},
        {2, 64, 64, 0, 0, 10, 10, 9},         // narrow: negative middles left out
        {3, 40, 20, 0, 0, INT_MAX, 1, 4096},  // tile width 0 or huge counts end
        {3, 1, INT_MAX, 0, 0, INT_MAX, 1, 4096},
        {4, INT_MAX, 1, 0, 0, 1, INT_MAX, 4096},
        {5, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1},
        {6, 40, 20, 0, 0, 100, 20, 0},
        {-1, 40, 20, 0, 0, 100, 20, 0},
    };
    for (const row& r : rows) {
        const draws d = vux_le_texture_draws(r.mode, r.iw, r.ih, r.x, r.y, r.w, r.h);
        EXPECT_LE(int(d.size()), r.max_draws) << "mode " << r.mode << " " << r.iw << "x" << r.ih;
        for (const auto& p : d) {
            EXPECT_GT(p.target.width(), 0);
            EXPECT_GT(p.source.height(), 0);
        }
    }
    EXPECT_EQ(vux_le_texture_draws(0, 6, 6, 0, 0, 100, 20)[0].source, QRect(0, 0, 6, 6));
}

}  // namespace
