#include <gtest/gtest.h>
#include "markup/model/vux_extent.h"
#include "markup/runtime/vux_metrics.h"
#include "metrics_screen.h"

using screen = metrics_screen;

TEST(Metrics, ScaleFollowsTheShorterSideRoundingHalfUp) {
    struct row {
        int w, h, units, want;
    };
    const row rows[] = {{240, 320, 7, 7}, {480, 640, 7, 14}, {640, 480, 5, 10}, {360, 480, 1, 2}, {300, 400, 2, 3}};
    for (const row& r : rows) {
        screen s(r.w, r.h);
        EXPECT_EQ(s.m.scale(r.units), r.want) << r.w << "x" << r.h << " " << r.units;
    }
}

TEST(Metrics, VariantsAndExtentNumbers) {
    screen square(300, 300);
    EXPECT_TRUE(square.m.is_landscape());
    EXPECT_EQ(square.m.entry(3), 3);  // the landscape value of entry 3
    screen tall(240, 320);
    EXPECT_EQ(tall.m.entry(3), 7);

    vux_extent x;
    x.variant = 0;
    for (uint32_t number : {0u, 43u, 4u}) x.entries.append(int32_t(number << 24 | 99u));
    tall.m.apply_extent(x);
    EXPECT_EQ(tall.m.entry(3), 99);  // number 4 is entry 3
    for (int k = 0; k < vux_metrics::entry_count; ++k)
        if (k != 3) {
            EXPECT_EQ(tall.m.entry(k), vux_metrics().entry(k, 0)) << k;
        }
    EXPECT_EQ(tall.m.metric(0), 240);
    EXPECT_EQ(tall.m.metric(3), 12 + 6);  // text height + scaled entry 6
    EXPECT_EQ(tall.m.metric(35), 0);
}

TEST(Metrics, FontSizeClassesAndBarHeights) {
    screen s(240, 400);
    s.m.set_metric(0, 1, 20);  // entry 0: base size
    s.m.select_font(1, 0);
    s.m.select_font(6, 1);
    EXPECT_EQ(s.host.calls("graphics.select_font"),
              (std::vector<std::string>{"graphics.select_font 16 0", "graphics.select_font 28 1"}));
    // Portrait-tall: the title font is base + the portrait step up.
    EXPECT_EQ(s.m.title_bar_height(), 12 + 14);
    EXPECT_EQ(s.host.calls("graphics.select_font").back(), "graphics.select_font 22 0");
}
