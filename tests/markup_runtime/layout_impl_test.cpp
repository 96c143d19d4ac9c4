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
        {u"x[[[1", 1, 4, 1}, {u"[[[0y", 0, 4, 0}, {u"[[[2", 0, 4, 2}, {u"[[[3", 0, 0, -1},
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
