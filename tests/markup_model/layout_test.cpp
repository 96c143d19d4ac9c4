// The layout's placement, clip and mapping rules through the fake metrics.
#include <gtest/gtest.h>
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup_model/fake_layout.h"
#include "markup_model/model_test_support.h"

using model_test::fake_layout;

TEST(Layout, NewLineAdvancesByRowsOrSpacing) {
    fake_layout l;
    EXPECT_EQ(l.row_height(), 20);
    l.new_line(true);  // at the line start: one spacing only
    EXPECT_EQ(l.pen.y, 2);
    l.pen.x = 30;
    l.new_line(true);  // a row less one spacing
    EXPECT_EQ(l.pen.y, 20);
    EXPECT_EQ(l.pen.x, 0);
    l.finish_line();  // at the start: nothing
    EXPECT_EQ(l.pen.y, 20);
    l.pen.x = 5;
    l.finish_line();
    EXPECT_EQ(l.pen.y, 40);

    // The pen of a very long client saturates instead of wrapping.
    l.pen.y = INT32_MAX - 5;
    l.new_line(false);
    EXPECT_EQ(l.pen.y, INT32_MAX);
    l.new_line(true);
    EXPECT_EQ(l.pen.y, INT32_MAX);
}

TEST(Layout, ContentBoundsIgnoreNegativesAndCentringFits) {
    fake_layout l(240, 100);
    l.note_content_top(-5);
    l.note_content_bottom(-5);
    EXPECT_EQ(l.content_top, -1);
    l.note_content_top(30);
    l.note_content_top(10);
    l.note_content_bottom(50);
    l.note_content_bottom(70);
    EXPECT_EQ(l.content_top, 10);
    EXPECT_EQ(l.content_bottom, 70);
    EXPECT_FALSE(l.fits_view());  // centring off
    l.centring = 1;
    EXPECT_TRUE(l.fits_view());
    // Centred: content 10..70 in a view 100 high starts at (100 - 60) / 2.
    EXPECT_EQ(l.to_screen({0, 10}, false, false).y, 20);
    EXPECT_EQ(l.to_screen({0, 10}, true, false).y, 10);  // no_scroll
    l.note_content_bottom(200);
    EXPECT_FALSE(l.fits_view());
}

TEST(Layout, ToScreenScrollsAnchorsAndSaturates) {
    fake_layout l(240, 100);
    l.view = {5, 50, 240, 100};
    vux_element_scrollbar bar;
    bar.x_offset = 3;
    bar.y_offset = 40;
    l.scroll_bar = &bar;
    vux_point p = l.to_screen({10, 60}, false, false);
    EXPECT_EQ(p.x, 12);
    EXPECT_EQ(p.y, 70);
    EXPECT_EQ(l.from_screen(p, false, false).y, 60);
    // Anchored content: the pen line sits at the view's bottom.
    l.anchoring = 1;
    l.pen.y = 80;
    l.mark_scroll_origin();
    EXPECT_EQ(l.anchor_y, 80);
    l.pen.y = 120;
    EXPECT_TRUE(l.anchor_outside_view(true));
    EXPECT_FALSE(l.anchor_outside_view(false));
    EXPECT_EQ(l.to_screen({0, 120}, false, true).y, 150);
    // A long client passes 32767: the screen point saturates.
    bar.y_offset = 0;
    EXPECT_EQ(l.to_screen({0, 100000}, false, false).y, INT16_MAX);
    EXPECT_EQ(l.to_screen({0, -100000}, false, false).y, INT16_MIN);
}

TEST(Layout, ClipTestsAskTheScrollBarOnlyWhenClipping) {
    fake_layout l(240, 100);
    EXPECT_FALSE(l.is_below_view(500, false, false));  // no scroll bar
    EXPECT_TRUE(l.is_row_visible(500));
    vux_element_scrollbar bar;
    bar.view_height = 100;
    bar.view_width = 240;
    bar.y_offset = 50;
    l.scroll_bar = &bar;
    struct row {
        int32_t y;
        bool below, above;
    };
    for (const row& r : {row{151, true, false}, row{150, false, false}, row{50, false, false}, row{49, false, true}}) {
        SCOPED_TRACE(r.y);
        EXPECT_EQ(l.is_below_view(r.y, false, false), r.below);
        EXPECT_EQ(l.is_above_view(r.y, false, false), r.above);
        EXPECT_FALSE(l.is_below_view(r.y, true, false));  // clipping off
        EXPECT_EQ(l.is_row_visible(r.y), !r.below && !r.above);
    }
    EXPECT_TRUE(l.is_right_of_view(300, false, false));
    EXPECT_TRUE(l.is_left_of_view(-1, false, false));

    // An anchored element is measured against the paging paragraph the
    // scroll bar hands drags to: the layout tells the bar which it asks for.
    vux_element_paragraph pages;
    pages.top_y = 0;
    pages.height_px = 60;
    bar.paging = &pages;
    EXPECT_TRUE(l.is_below_view(70, false, true));
    EXPECT_TRUE(bar.anchored);
    EXPECT_FALSE(l.is_below_view(70, false, false));
    EXPECT_FALSE(bar.anchored);
    EXPECT_TRUE(l.is_above_view(-1, false, true));
}

TEST(Layout, ReachAndAnchorBottom) {
    fake_layout l(240, 100);
    l.view = {0, 30, 240, 100};
    l.reach_limit = 20;
    EXPECT_FALSE(l.within_reach(40));  // no scroll bar
    vux_element_scrollbar bar;
    l.scroll_bar = &bar;
    EXPECT_TRUE(l.within_reach(50));
    EXPECT_FALSE(l.within_reach(51));
    l.reach_limit = 0;
    EXPECT_FALSE(l.within_reach(0));
    l.anchoring = 1;
    l.anchor_y = 0;
    l.pen.y = 40;
    // view top + height + anchor - pen = 30 + 100 + 0 - 40
    EXPECT_TRUE(l.past_anchor_bottom(90));
    EXPECT_FALSE(l.past_anchor_bottom(89));
}

TEST(Layout, RowDrawingSpansTheIndentAndSkipsEmptyRows) {
    fake_layout l(240, 100);
    l.indent = 4;
    l.draw_row_frame(10, false, false, true, false, false);
    l.draw_row_fill(10, 0, false, false, 7);
    l.draw_row_fill(10, 5, false, false, 7);
    l.draw_row_box(10, 8, false, false, 0, 1, 2, 3, 4);  // 8 - 2 * 4 = 0: skipped
    l.draw_row_box(10, 30, false, false, 2, 1, 2, 3, 4);
    EXPECT_EQ(l.draws(),
              (std::vector<std::string>{"frame_line -4,10 248x0 a", "fill -4,10 248x5 7", "row_box 2,16 236x18"}));
}

TEST(Layout, MarksKeepTheFirstPairAndPublishIt) {
    fake_layout l;
    model_test::variables env;
    l.remember_mark("", "e", true);
    l.remember_mark("p", "", true);
    l.publish_marks(env);
    EXPECT_TRUE(env.values.empty());
    l.remember_mark("p2", "e2", false);
    l.publish_marks(env);
    EXPECT_EQ(env.at("__mark_paragraph"), "p2");
    l.remember_mark("p1", "e1", true);
    l.remember_mark("p3", "e3", false);  // the first pair is set: nothing more
    l.publish_marks(env);
    EXPECT_EQ(env.at("__mark_paragraph"), "p1");
    EXPECT_EQ(env.at("__mark_element"), "e1");
    EXPECT_EQ(l.mark_paragraph_2.str(), "p2");
    l.set_mode(4, 1);
    l.save_mode();
    l.reset_mode();
    l.restore_mode();
    EXPECT_EQ(l.calls, (std::vector<std::string>{"font 4 1", "font 3 0", "font 4 1"}));
}
