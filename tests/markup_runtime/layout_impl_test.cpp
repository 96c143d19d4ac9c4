#include "markup/model/vux_data.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/runtime/vux_layout_impl.h"
#include "screens_fixture.h"

using LayoutImpl = screens_fixture;

TEST_F(LayoutImpl, LineMeasuresAreCachedUntilAFontIsSelected) {
    start(doc_builder().done());
    vux_layout_impl layout(m().canvas());
    EXPECT_EQ(layout.line_height(), 12);
    EXPECT_EQ(layout.line_spacing(), 7);  // entry 3, portrait, at scale 1
    host.answer("graphics.text_height", "20");
    m().canvas().set_metric(0, 4, 9);
    EXPECT_EQ(layout.line_height(), 12);  // still cached
    EXPECT_EQ(layout.line_spacing(), 7);
    EXPECT_EQ(layout.font_height(), 20);  // never cached
    layout.select_font(4, 1);
    EXPECT_EQ(layout.line_height(), 20);
    EXPECT_EQ(layout.line_spacing(), 9);
    EXPECT_EQ(layout.row_height(), 20 + 2 * 9);
}

TEST_F(LayoutImpl, StyleAndEmoticonMarkers) {
    start(doc_builder().done());
    run(action_of(set_step("__key_emoticon", "[a][bb]")));
    vux_layout_impl layout(m().canvas());
    struct row {
        const char16_t* text;
        int32_t index;
        int32_t length;  // the style marker's, and its digit in out
        int32_t digit;
    };
    const row styles[] = {
        {u"x[[[1", 1, 4, 1}, {u"[[[0y", 0, 4, 0}, {u"[[[2", 0, 4, 2},  {u"[[[3", 0, 0, -1},
        {u"[[[", 0, 0, -1},  {u"x[[[", 1, 0, -1}, {u"[[a1", 0, 0, -1}, {u"[[[1", 5, 0, -1},
    };
    for (const row& r : styles) {
        int32_t out = -1;
        EXPECT_EQ(layout.style_marker(r.index, vux_unicode(r.text), out), r.length) << r.index;
        EXPECT_EQ(out, r.digit);
    }
    EXPECT_EQ(layout.emoticon_marker(2, vux_unicode(u"hi[bb] there")), 4);
    EXPECT_EQ(m().canvas().emoticon_index, 1);
    EXPECT_EQ(layout.emoticon_marker(2, vux_unicode(u"hi[cc]")), 0);
    EXPECT_EQ(layout.emoticon_marker(2, vux_unicode(u"hi[bb")), 0);  // no closing bracket
    EXPECT_EQ(layout.emoticon_marker(0, vux_unicode(u"x[a]")), 0);   // not at a bracket
}

TEST_F(LayoutImpl, EnvironmentSlotsSkipEmptyNames) {
    start(doc_builder().done());
    vux_layout_impl layout(m().canvas());
    layout.assign_variable(vux_string("pick"), vux_string("one"));
    layout.assign_variable(vux_string(""), vux_string("lost"));
    EXPECT_EQ(variable("pick"), "one");
    layout.assign_variable(vux_string("pick"), vux_string(""));
    EXPECT_EQ(variable("pick"), "(none)");
    layout.assign_variable(vux_string("pick"), vux_string("two"));
    layout.remove_variable(vux_string("pick"));
    layout.remove_variable(vux_string(""));
    EXPECT_EQ(variable("pick"), "(none)");
}

// A box's image by its tile mode; nine-slice falls back to a fill in the
// box's "groundt" colour on a host without capability 7.
TEST_F(LayoutImpl, BoxImageByTileModeAndCapability) {
    vux_data art;
    art.name = vux_string("art");
    art.flags = 1;
    art.bytes.assign_bytes("PIC!", 4);
    start(doc_builder().add(art).done());
    vux_layout_impl layout(m().canvas());
    vux_element_box box;
    box.image = vux_string("art");
    box.ground_corner = 3;
    box.gap = 1;
    box.ground_t = 0x123456;
    struct row {
        int32_t tile;
        const char* nine_slice;  // cap 7 (the emulator's answer)
        const char* without;     // cap 7 switched off
    };
    const row rows[] = {
        {0, R"(graphics.image "art" 0 4 3 1 1193046)", R"(graphics.image "art" 0 4 3 1 1193046)"},
        {1, R"(graphics.texture 0 0 "art" 4)", R"(graphics.texture 0 0 "art" 4)"},
        {3, R"(graphics.texture 2 0 "art" 4)", "graphics.round_rectangle 1 3"},
        {5, R"(graphics.texture 4 0 "art" 4)", R"(graphics.texture 4 0 "art" 4)"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.tile);
        box.tile = r.tile;
        for (bool cap : {true, false}) {
            host.answer("facility.supports 7", cap ? "1" : "0");
            host.clear_log();
            layout.draw_box_image(box, vux_point(0, 0), 20, 20);
            ASSERT_FALSE(host.log.empty());
            EXPECT_EQ(host.log.back(), cap ? r.nine_slice : r.without);
        }
    }
}

// Link rows of mode 1 (their text takes the link path) are underlaid once per row; a row that follows such a
// row starts its band a metric 14 higher and a full row high, so they join.
TEST_F(LayoutImpl, RowWideLinkUnderlaysJoin) {
    start(doc_builder().done());
    vux_layout_impl layout(m().canvas());
    layout.view = {0, 0, 240, 200};
    vux_element_segment link;
    link.hyperlink = std::make_unique<vux_hyperlink>();
    link.hyperlink->mode = 1;
    link.text.text = vux_unicode(u"go");
    host.clear_log();
    layout.draw_segment_text(link, vux_point(0, 40), 12, u"go", 2);
    layout.draw_segment_text(link, vux_point(30, 40), 12, u"go", 2);  // the same row: no second band
    layout.draw_segment_text(link, vux_point(0, 66), 12, u"go", 2);
    // Row height 12 + 2 x 7; metric 14 is 2 at this scale.
    EXPECT_EQ(host.calls("graphics.set_height"),
              (std::vector<std::string>{"graphics.set_height 22", "graphics.set_height 26"}));
    EXPECT_EQ(host.count("graphics.move_to 0 42"), 1);
    EXPECT_EQ(host.count("graphics.move_to 0 64"), 1);
    m().canvas().banner.clear();  // a box or an image in between breaks the band
    host.clear_log();
    layout.draw_segment_text(link, vux_point(0, 92), 12, u"go", 2);
    EXPECT_EQ(host.calls("graphics.set_height"), (std::vector<std::string>{"graphics.set_height 22"}));
}
