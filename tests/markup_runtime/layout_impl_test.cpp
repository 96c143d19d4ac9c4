#include <functional>
#include <sstream>
#include "markup/model/vux_brush.h"
#include "markup/model/vux_brush_sheet.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
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

namespace {

// What the host drew, one line per drawing call with the pen and size it was
// given: "text ab 0,4", "image _em005.png 15,7 13x13", "fill 0,-3 44x34".
std::vector<std::string> drawn(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    std::string x = "0", y = "0", w = "0", h = "0";
    for (const std::string& line : log) {
        std::istringstream in(line);
        std::string entry, a;
        in >> entry;
        const std::string at = " " + x + "," + y, size = " " + w + "x" + h;
        if (entry == "graphics.move_to") in >> x >> y;
        if (entry == "graphics.set_width") in >> w;
        if (entry == "graphics.set_height") in >> h;
        if (entry == "graphics.text")
            out.push_back("text " + line.substr(line.find('"') + 1, line.rfind('"') - line.find('"') - 1) + at);
        if (entry == "graphics.image" && in >> a) out.push_back("image " + a.substr(1, a.size() - 2) + at + size);
        if ((entry == "graphics.rectangle" || entry == "graphics.round_rectangle") && in >> a && a == "1")
            out.push_back("fill" + at + size);
    }
    return out;
}

}  // namespace

// With "emoticon", a box draws each known marker as its picture, scale(13)
// square and centred in a cell one line high and as wide as measuring made it
// (one line height), and the text around it where the widths before it end.
// Unknown bracketed texts stay text, and a style token draws nothing. A box
// in its link's colours underlays the whole line, emoticons included.
TEST_F(LayoutImpl, BoxEmoticonsAreDrawnWhereMeasuringPlacedThem) {
    start(doc_builder().done());
    run(action_of(set_step("__key_emoticon", "[e00][e01][e02][e03][e04][e05]")));
    host.answer("graphics.text_height", "20");
    // Characters are 6 wide, lines 20 high, scale(n) = n on this screen: a
    // line's text stands one "tinterval" (4) below the box's top; a link's
    // fill from one line spacing (7) above it, the font high plus two spacings.
    struct row {
        const char16_t* text;
        bool emoticons, focused_link;
        std::vector<std::string> drawn;
        int32_t width = 0;  // the box's, 0 to the view's edge
    };
    const row rows[] = {
        {u"ab[e05]cd", true, false, {"text ab 0,4", "image _em005.png 15,7 13x13", "text cd 32,4"}},
        {u"[e01]x", true, false, {"image _em001.png 3,7 13x13", "text x 20,4"}},
        {u"ab[e05]", true, false, {"text ab 0,4", "image _em005.png 15,7 13x13"}},
        {u"ab[zz]cd", true, false, {"text ab[zz]cd 0,4"}},
        {u"ab[e05]cd", false, false, {"text ab[e05]cd 0,4"}},
        {u"a[[[1b", true, false, {"text a 0,4", "text b 6,4"}},
        {u"ab[e05]cd", true, true, {"fill 0,-3 44x34", "text ab 0,4", "image _em005.png 15,7 13x13", "text cd 32,4"}},
        {u"[e01]x", true, true, {"fill 0,-3 26x34", "image _em001.png 3,7 13x13", "text x 20,4"}},
        // Narrower than a picture: the marker keeps to its line, the next
        // line (one line and two intervals lower) starts after it.
        {u"[e01]x", true, false, {"image _em001.png 3,7 13x13", "text x 0,32"}, 10},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(vux_unicode(r.text).to_utf8_string().str() + (r.focused_link ? " focused link" : ""));
        vux_layout_impl layout(m().canvas());
        layout.view = {0, 0, 240, 200};
        vux_element_box box;
        box.text.text = vux_unicode(r.text);
        box.width = r.width;
        box.set_property(vux_string("emoticon"), vux_string(r.emoticons ? "yes" : "no"));
        if (r.focused_link) {
            box.set_property(vux_string("flat"), vux_string("no"));
            box.hyperlink = std::make_unique<vux_hyperlink>();
            box.hyperlink->set_focused(true);
        }
        box.measure(layout, 0, nullptr);
        ASSERT_TRUE(box.placed());
        host.clear_log();
        box.paint(layout);
        EXPECT_EQ(drawn(host.log), r.drawn);
    }
}

// A segment's text draws each known marker as its picture, one line high
// and as wide as the marker's characters (6 each), the text around it where
// those widths end; unknown markers stay text. Link text alike.
TEST_F(LayoutImpl, SegmentEmoticonsAreDrawnAsPictures) {
    start(doc_builder().done());
    run(action_of(set_step("__key_emoticon", "[e00][e01][e02][e03][e04][e05]")));
    host.answer("graphics.text_height", "20");
    vux_layout_impl layout(m().canvas());
    layout.view = {0, 0, 240, 200};
    struct row {
        const char16_t* text;
        bool link;
        std::vector<std::string> drawn;
    };
    const row rows[] = {
        {u"ab[e05]cd", false, {"text ab 0,40", "image _em005.png 12,40 30x20", "text cd 42,40"}},
        {u"[e01]", false, {"image _em001.png 0,40 30x20"}},
        {u"ab[zz]cd", false, {"text ab[zz]cd 0,40"}},
        {u"a[e02]", true, {"text a 0,40", "image _em002.png 6,40 30x20"}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(vux_unicode(r.text).to_utf8_string().str());
        vux_element_segment segment;
        segment.text.text = vux_unicode(r.text);
        if (r.link) segment.hyperlink = std::make_unique<vux_hyperlink>();
        m().canvas().banner.clear();
        host.clear_log();
        layout.draw_segment_text(segment, vux_point(0, 40), 60, segment.text.text.units(), segment.text.text.length());
        EXPECT_EQ(drawn(host.log), r.drawn);
    }
}

// Only -1 is no colour: a ground or border whose transparency byte is 0x80
// or more reads as a negative number and is still drawn.
TEST_F(LayoutImpl, TranslucentGroundsAndBordersAreDrawn) {
    start(doc_builder().done());
    vux_layout_impl layout(m().canvas());
    struct row {
        int32_t ground, border;
        int fills, outlines;
    };
    const row rows[] = {
        {-1, -1, 0, 0},
        {int32_t(0x80336699u), -1, 1, 0},
        {int32_t(0xFE000000u), int32_t(0xC0FF0000u), 1, 1},
        {0x00336699, 0x00FF0000, 1, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.ground);
        vux_element_box box;
        box.ground = r.ground;
        box.border = r.border;
        host.clear_log();
        layout.draw_box_background(box, vux_point(0, 0), 20, 20);
        EXPECT_EQ(host.count("graphics.rectangle 1") + host.count("graphics.round_rectangle 1"), r.fills);
        if (r.fills) {
            EXPECT_EQ(host.count("graphics.set_colour 0 " + std::to_string(uint32_t(r.ground))), 1);
        }
        host.clear_log();
        layout.draw_box_border(box, vux_point(0, 0), 20, 20);
        EXPECT_EQ(host.count("graphics.set_colour 1 " + std::to_string(uint32_t(r.border))), r.outlines);
    }
}

// Over its ground a box takes its focus ground ("grounds") while focused,
// unless the focus is locked (link bit 2), and its pressed ground
// ("groundf") while pressed.
TEST_F(LayoutImpl, BoxGroundsByLinkState) {
    start(doc_builder().done());
    run(action_of(set_step("__key_touch_screen", "no")));
    vux_layout_impl layout(m().canvas());
    const uint32_t ground = 0x111111, focus = 0x222222, pressed = 0x333333;
    struct row {
        bool focused, locked, is_pressed;
        std::vector<uint32_t> fills;
    };
    const row rows[] = {
        {false, false, false, {ground}},       {true, false, false, {ground, focus}},   {true, true, false, {ground}},
        {true, true, true, {ground, pressed}}, {false, false, true, {ground, pressed}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.focused << r.locked << r.is_pressed);
        vux_element_box box;
        box.ground = int32_t(ground);
        box.ground_s = int32_t(focus);
        box.ground_f = int32_t(pressed);
        box.hyperlink = std::make_unique<vux_hyperlink>();
        box.hyperlink->set_focused(r.focused);
        box.hyperlink->set_bit_2(r.locked);
        box.hyperlink->set_pressed(r.is_pressed);
        host.clear_log();
        layout.draw_box_background(box, vux_point(0, 0), 20, 20);
        std::vector<uint32_t> fills;
        for (const std::string& c : host.calls("graphics.set_colour 0"))
            fills.push_back(uint32_t(std::stoul(c.substr(c.rfind(' ') + 1))));
        EXPECT_EQ(fills, r.fills);
    }
}

// A box's text colour by its state: its own colour, "colora" while checked,
// its second colour while its link is focused. A box drawn in its link's
// colours (not flat) takes key 37 focused, 38 with link bit 7 (a blinking
// link), 40 with bit 6, else 36. A note writes its text in the same state
// colour and lays no ground of its own under it.
TEST_F(LayoutImpl, BoxTextColoursByState) {
    start(doc_builder().done());
    vux_brush colours;
    for (const int32_t k : {36, 37, 38, 39, 40}) colours.set(k, 0x3600 + k);
    m().canvas().brush_sheet().merge(colours);
    vux_layout_impl layout(m().canvas());
    const uint32_t own = 0x112233, second = 0x445566, checked = 0x778899;
    auto key = [](int32_t k) { return uint32_t(0x3600 + k); };
    struct row {
        const char* name;
        bool link, flat, focused, bit_6, bit_7, is_checked, note;
        uint32_t colour;
    };
    const row rows[] = {
        {"plain", false, true, false, false, false, false, false, own},
        {"checked", false, true, false, false, false, true, false, checked},
        {"flat focused", true, true, true, false, false, false, false, second},
        {"link", true, false, false, false, false, false, false, key(36)},
        {"link bit 6", true, false, false, true, false, false, false, key(40)},
        {"link bit 7", true, false, false, false, true, false, false, key(38)},
        {"link focused", true, false, true, false, true, false, false, key(37)},
        {"note", false, true, false, false, false, false, true, own},
        {"note focused", true, true, true, false, false, false, true, second},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        vux_element_box box;
        box.text.text = vux_unicode(u"ab");
        box.text.colour = int32_t(own);
        box.text.second_colour = int32_t(second);
        box.colour_a = int32_t(checked);
        box.set_flag(3, r.flat);
        box.set_flag(vux_element_box::checked_bit, r.is_checked);
        if (r.link) {
            box.hyperlink = std::make_unique<vux_hyperlink>();
            box.hyperlink->set_focused(r.focused);
            box.hyperlink->set_bit_6(r.bit_6);
            box.hyperlink->set_bit_7(r.bit_7);
        }
        host.clear_log();
        if (r.note)
            layout.draw_text_block(box, vux_point(0, 0), 30, 20);
        else
            layout.draw_box_text(box, vux_point(0, 0), 0, 20, u"ab", 2);
        EXPECT_EQ(host.calls("graphics.set_colour 2"),
                  std::vector<std::string>{"graphics.set_colour 2 " + std::to_string(r.colour)});
        EXPECT_EQ(host.count("graphics.rectangle 1") + host.count("graphics.round_rectangle 1"), 0);
        EXPECT_EQ(host.count("graphics.text"), 1);
    }
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
    // Any box, image or line painted in between breaks the band: the next
    // link row starts one of its own, metric 14 below its top.
    vux_element_box box;
    box.text.text = vux_unicode(u"n");
    vux_element_image image;
    struct row {
        const char* between;
        std::function<void()> paint;
    };
    const row rows[] = {
        {"ground", [&] { layout.draw_box_background(box, vux_point(0, 0), 10, 10); }},
        {"note", [&] { layout.draw_text_block(box, vux_point(0, 0), 10, 10); }},
        {"triangle", [&] { layout.draw_triangle(box, vux_point(0, 0), 10, 10, 1); }},
        {"indicator", [&] { layout.draw_indicator(box, vux_point(0, 0), 10, 10); }},
        {"image", [&] { layout.draw_image(image, vux_point(0, 0)); }},
        {"line", [&] { layout.draw_segment_line(link, vux_point(0, 0), 10); }},
    };
    int32_t y = 92;
    for (const row& r : rows) {
        SCOPED_TRACE(r.between);
        layout.draw_segment_text(link, vux_point(0, y), 12, u"go", 2);
        r.paint();
        y += 26;
        host.clear_log();
        layout.draw_segment_text(link, vux_point(0, y), 12, u"go", 2);
        EXPECT_EQ(host.calls("graphics.set_height"), (std::vector<std::string>{"graphics.set_height 22"}));
        EXPECT_EQ(host.count("graphics.move_to 0 " + std::to_string(y + 2)), 1);
        y += 26;
    }
}
