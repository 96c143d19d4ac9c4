#include <gtest/gtest.h>
#include <sstream>
#include "markup/model/vux_extent.h"
#include "markup/model/vux_menu.h"
#include "markup/runtime/vux_metrics.h"
#include "metrics_screen.h"

namespace {

using screen = metrics_screen;

std::string text(const vux_rect& r) {
    std::ostringstream o;
    o << r.left() << "," << r.top() << " " << r.width() << "x" << r.height();
    return o.str();
}

vux_menu menu_of(int32_t style, int32_t items) {
    vux_menu m;
    m.style = style;
    m.layout_1 = 100;  // width
    m.layout_2 = 2;    // gap
    m.layout_3 = 4;    // right margin
    m.layout_4 = 8;    // vertical margin
    m.layout_5 = 3;    // top inset
    m.layout_6 = 5;    // bottom inset
    for (int i = 0; i < items; ++i) m.commands.append(std::make_unique<vux_element_command>());
    return m;
}

}  // namespace

TEST(MetricsRects, ScreenStripsFollowTheScale) {
    struct row {
        int w, h;
        const char *title, *command, *client, *busy;
    };
    // Bars: text height 12 + scaled entry 4 (title) or 9 (command).
    const row rows[] = {
        {240, 320, "0,0 240x26", "0,294 240x26", "0,26 240x268", "60,300 120x13"},
        {480, 640, "0,0 480x40", "0,600 480x40", "0,40 480x560", "120,607 240x26"},
        {300, 300, "0,0 300x25", "0,275 300x25", "0,25 300x250", "75,279 150x16"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.w) + "x" + std::to_string(r.h));
        screen s(r.w, r.h);
        EXPECT_EQ(text(s.m.title_bar_rect()), r.title);
        EXPECT_EQ(text(s.m.command_bar_rect()), r.command);
        EXPECT_EQ(text(s.m.client_rect()), r.client);
        EXPECT_EQ(text(s.m.busy_rect()), r.busy);
    }
}

TEST(MetricsRects, OneMenuRectanglePerStyle) {
    screen s(240, 320);  // row height 12 + 2 x 7 = 26, metric 11 = 6, client 26..294
    struct row {
        int32_t style;
        const char* rect;
        const char* item_1;
    };
    const row rows[] = {
        {0, "0,204 240x90", "6,236 228x26"},   {2, "0,204 240x90", "6,236 228x26"},
        {3, "0,115 240x90", "6,147 228x26"},   {4, "0,124 240x90", "6,156 228x26"},
        {5, "24,222 192x72", "90,228 60x60"},  {6, "10,94 220x132", "22,144 196x32"},
        {7, "136,34 100x102", "142,71 88x26"}, {8, "136,210 100x102", "142,247 88x26"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE("style " + std::to_string(r.style));
        const vux_menu m = menu_of(r.style, 3);
        const vux_rect at = s.m.menu_rect(m, 100, 120);
        EXPECT_EQ(text(at), r.rect);
        EXPECT_EQ(text(s.m.menu_item_rect(m, at, 1)), r.item_1);
    }
}

TEST(MetricsRects, DocumentValuesCannotBreakTheMenuArithmetic) {
    screen s(240, 320);
    // A style 7 or 8 menu with nothing visible is empty, not negative.
    for (int32_t style : {7, 8}) EXPECT_TRUE(s.m.menu_rect(menu_of(style, 0)).is_empty());
    vux_menu hidden = menu_of(7, 2);
    hidden.command(0)->hidden = hidden.command(1)->hidden = 1;
    EXPECT_TRUE(s.m.menu_rect(hidden).is_empty());

    // Metric 19 (entry 24) 0 or wider than the screen: one column at least.
    for (int32_t cell : {0, 1000}) {
        s.m.set_metric(0, 25, cell);
        EXPECT_EQ(s.m.grid_columns(), cell == 0 ? 228 : 1);
        const vux_menu grid = menu_of(5, 3);
        const vux_rect at = s.m.menu_rect(grid);
        EXPECT_FALSE(at.is_empty());
        EXPECT_GE(s.m.menu_item_rect(grid, at, 2).width(), 1);
    }

    // Extent values are the low 24 bits, unsigned; scaling them is 64-bit.
    screen big(480, 640);
    vux_extent x;
    x.entries.append(int32_t(25u << 24 | 0xFFFFFFu));
    big.m.apply_extent(x);
    EXPECT_EQ(big.m.entry(24), 0xFFFFFF);
    EXPECT_EQ(big.m.metric(19), 2 * 0xFFFFFF);
}

TEST(MetricsRects, CommandBarSlotsByAlignment) {
    const vux_rect bar(0, 294, 240, 26);
    const char* want[] = {"60,296 50x20", "122,296 50x20", "184,296 50x20"};
    for (int32_t align = 1; align <= 3; ++align)
        EXPECT_EQ(text(vux_metrics::slot_rect(bar, 1, 2, align, 50, 20, 4, 6, 2)), want[align - 1]) << align;
}
