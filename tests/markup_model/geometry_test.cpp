// Element geometry through the recording layout: where boxes, segments and
// images land, how text breaks and is cut, what a paragraph draws, paging,
// the client's steps and the command bar's slots.
#include <gtest/gtest.h>
#include <memory>
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_action_softkey.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "markup_model/fake_layout.h"
#include "markup_model/model_test_support.h"

namespace {
using model_test::fake_layout;

std::unique_ptr<vux_element_box> box_with(const char16_t* text, int32_t left, int32_t width) {
    auto b = std::make_unique<vux_element_box>();
    b->text.text = vux_unicode(text);
    b->left = left;
    b->width = width;
    return b;
}

std::u16string text_of(const vux_element_text& t) { return std::u16string(t.text.view()); }

TEST(BoxGeometry, HorizontalExtentFromLeftAndWidth) {
    struct row {
        int32_t left, width, x0, x1;
    };
    // View 240 wide; scale is the identity.
    const row rows[] = {
        {-20, 0, 220, 240},    // 20 in from the right edge, reaching it
        {10, 0, 10, 240},      // to the right edge
        {10, 50, 10, 60},      // a width
        {-100, 50, 140, 190},  // a width measured from the right
        {10, -30, 10, 210},    // the right edge 30 in from the view's
    };
    for (const row& r : rows) {
        fake_layout l;
        auto b = box_with(u"ab", r.left, r.width);
        b->measure(l, 0, nullptr);
        ASSERT_TRUE(b->placed()) << r.left << "," << r.width;
        EXPECT_EQ(b->left_x(), r.x0) << r.left << "," << r.width;
        EXPECT_EQ(b->right_x(), r.x1) << r.left << "," << r.width;
        // One line of text: line height 16 plus the interval 4 above and below.
        EXPECT_EQ(b->bottom_y() - b->top_y(), 24);
    }
}

TEST(BoxGeometry, AlignmentRowsAndRunningBottom) {
    struct row {
        int32_t align, breadth, width, x0;
    };
    // View 240: the free width is the view less the breadth (or the extent).
    for (const row& r : {row{2, 100, 50, 70}, row{3, 100, 50, 140}, row{2, 0, 40, 100}, row{1, 100, 50, 0}}) {
        fake_layout l;
        auto b = box_with(u"a", 0, r.width);
        b->align = r.align;
        b->breadth = r.breadth;
        b->measure(l, 0, nullptr);
        EXPECT_EQ(b->left_x(), r.x0) << r.align << " " << r.breadth;
    }

    // "bottom" sets where a "follow" box starts; rows and "topx" count in
    // rows of 20; without "stick" the paragraph's bottom rounds up to a row.
    fake_layout l;
    auto first = box_with(u"", 0, 0);
    first->height = 30;
    first->set_property(vux_string("bottom"), vux_string("yes"));
    first->set_property(vux_string("stick"), vux_string("no"));
    first->measure(l, 0, nullptr);
    EXPECT_EQ(l.running_bottom, 30);
    EXPECT_EQ(l.row_bottom, 40);
    auto next = box_with(u"", 0, 0);
    next->height_rows = 2;
    next->top_rows = 1;
    next->set_property(vux_string("follow"), vux_string("yes"));
    next->measure(l, 0, nullptr);
    EXPECT_EQ(next->top_y(), 50);
    EXPECT_EQ(next->bottom_y(), 90);
}

TEST(BoxGeometry, CutWithEllipsisAndResetRestores) {
    fake_layout l;
    auto b = box_with(u"abcdefghijkl", 0, 60);  // 72 wide in 60
    b->set_property(vux_string("wrap"), vux_string("no"));
    b->measure(l, 0, nullptr);
    // 7 units (42) and the ellipsis (18) fill the 60.
    EXPECT_EQ(text_of(b->text), u"abcdefg...");
    ASSERT_TRUE(b->text.full_text);
    b->reset();
    EXPECT_EQ(text_of(b->text), u"abcdefghijkl");

    b->set_property(vux_string("ellipsis"), vux_string("no"));
    b->measure(l, 0, nullptr);
    EXPECT_EQ(text_of(b->text), u"abcdefghij");  // cut where it passes
    b->reset();

    // An emoticon marker is cut whole: its '[' carries the picture's width
    // (one line height, 16), the rest of it none.
    struct emoticons : fake_layout {
        int32_t emoticon_marker(int32_t i, const vux_unicode& t) override {
            return i + 2 < t.length() && t.unit_at(i + 1) == u'e' && t.unit_at(i + 2) == u']' ? 3 : 0;
        }
    };
    struct cut_row {
        const char16_t* text;
        const char16_t* cut;
    };
    const cut_row cuts[] = {
        {u"abcd[e]fghij", u"abcd[e]..."},  // 24 + 16 + 18 fill 58 of the 60
        {u"abcdef[e]ghij", u"abcdef..."},  // 36 + 16 + 18 pass: the marker goes whole
    };
    for (const cut_row& r : cuts) {
        emoticons e;
        auto m = box_with(r.text, 0, 60);
        m->set_property(vux_string("wrap"), vux_string("no"));
        m->set_property(vux_string("emoticon"), vux_string("yes"));
        m->measure(e, 0, nullptr);
        EXPECT_EQ(text_of(m->text), r.cut);
    }

    auto fits = box_with(u"abc", 0, 60);
    fits->set_property(vux_string("wrap"), vux_string("no"));
    fits->measure(l, 0, nullptr);
    EXPECT_EQ(text_of(fits->text), u"abc");
    EXPECT_FALSE(fits->text.full_text);
}

TEST(BoxGeometry, LinesBreakAfterLineFeedsAndBeforeTheUnitThatPasses) {
    struct row {
        const char16_t* text;
        int32_t width;
        std::vector<int32_t> starts;
    };
    const row rows[] = {
        {u"ab", 4, {0, 1}},             // each unit wider than the box: one per line, none empty
        {u"abcdef", 24, {0, 4}},        // four units to a line
        {u"ab\n\ncd", 240, {0, 3, 4}},  // two line feeds: an empty line between
        {u"ab\n", 240, {0}},            // a trailing line feed opens nothing
        // A line ends before the unit that would pass the width, inside a
        // word or at a space alike: spaces start lines as any unit does.
        {u"boat house", 36, {0, 6}},
        {u"boats house", 30, {0, 5, 10}},
        {u"go  now", 18, {0, 3, 6}},
        {u"站点abc", 24, {0, 4}},
        {u"我们的站点还没有", 30, {0, 5}},
        {u"boat house", 60, {0}},  // a line that fits is not broken
    };
    for (const row& r : rows) {
        fake_layout l;
        auto b = box_with(r.text, 0, r.width);
        b->measure(l, 0, nullptr);
        EXPECT_EQ(b->line_starts(), r.starts) << r.width;
    }
}

TEST(BoxGeometry, TextAlignPlacesOnlyTheLastLine) {
    struct row {
        const char16_t* text;
        int32_t units;  // the box's width in units of 6 pixels
        const char* talign;
        std::vector<int32_t> xs;  // where each line is drawn
    };
    const row rows[] = {
        {u"boat house", 8, "center", {0, 18}},  // "boat hou" fills its line; "se" is 12 of 48
        {u"boat house", 8, "right", {0, 36}},     {u"boat house", 8, "left", {0, 0}}, {u"ab", 8, "center", {18}},
        {u"我们的站点还没", 5, "center", {0, 9}},  // a full line stays, the last is centred
        {u"我们的站点还没", 5, "right", {0, 18}},
    };
    for (const row& r : rows) {
        fake_layout l;
        auto b = box_with(r.text, 0, r.units * fake_layout::unit_width);
        b->set_property(vux_string("talign"), vux_string(r.talign));
        b->measure(l, 0, nullptr);
        l.draw_pass = 1;
        b->paint(l);
        std::vector<int32_t> xs;
        for (const std::string& d : l.draws())
            if (d.rfind("box_text ", 0) == 0) xs.push_back(std::stoi(d.substr(9)));
        EXPECT_EQ(xs, r.xs) << vux_unicode(r.text).to_utf8_string().str() << " " << r.talign;
    }
}

TEST(BoxGeometry, TextChangedAfterMeasureDrawsOnlyWhatIsThere) {
    // A property step may set a shorter text without a new layout.
    fake_layout l;
    auto b = box_with(u"abcdef", 0, 12);
    b->measure(l, 0, nullptr);
    ASSERT_EQ(b->line_starts(), (std::vector<int32_t>{0, 2, 4}));
    b->set_property(vux_string("text"), vux_string("a"));
    l.draw_pass = 1;
    b->paint(l);
    std::vector<std::string> texts;
    for (const std::string& d : l.draws())
        if (d.rfind("box_text", 0) == 0) texts.push_back(d.substr(d.rfind(' ') + 1));
    EXPECT_EQ(texts, (std::vector<std::string>{"a"}));

    fake_layout m;
    vux_element_segment s;
    s.text.text = vux_unicode(u"ab\ncd\nef");
    s.measure(m);
    s.set_property(vux_string("text"), vux_string("x"));
    m.draw_pass = 1;
    s.paint(m);
    EXPECT_EQ(m.draws(), (std::vector<std::string>{"segment_text 0,0 6x0 x"}));
}

TEST(BoxGeometry, DegenerateSizesDoNothing) {
    // No inner width: never placed, never painted.
    fake_layout l;
    auto none = box_with(u"ab", 240, 0);
    none->measure(l, 0, nullptr);
    EXPECT_FALSE(none->placed());
    l.draw_pass = 1;
    EXPECT_FALSE(none->paint(l));
    EXPECT_TRUE(l.draws().empty());

    // A zero line height and interval leave no divisor for the cut.
    struct flat : fake_layout {
        int32_t line_height() override { return 0; }
        int32_t line_spacing() override { return 0; }
    } f;
    auto b = box_with(u"abcdefghijkl", 0, 60);
    b->height = 10;
    b->text_interval = 0;
    b->measure(f, 0, nullptr);
    EXPECT_EQ(text_of(b->text), u"abcdefghijkl");
    EXPECT_TRUE(b->placed());
    // Clock periods of 0 give no time and no blink.
    b->image = vux_string("x");
    b->gap = 5;
    b->set_flag(vux_element_box::animation_bit, true);
    EXPECT_FALSE(b->tick(0, 0));
    EXPECT_EQ(b->frame, 0);
}

TEST(BoxGeometry, WhatPaintDrawsByKindAndPass) {
    struct row {
        const char* flag;  // a flag keyword set to "yes", or null
        int32_t triangle;
        int32_t pass;
        std::vector<std::string> draws;
    };
    const row rows[] = {
        {nullptr, 3, 0, {"triangle 0,0 50x24 3"}},
        {"note", 0, 0, {"text_block 0,0 50x24"}},  // the note's drawing writes its text
        {"indicator", 0, 0, {"indicator 0,0 50x24", "box_text 0,4 12x16 ab"}},
        {"expand", 3, 0, {"triangle 0,0 51x25 3"}},
        {nullptr, 3, 2, {}},  // not in pass 2
        {"float", 3, 1, {}},  // floating: every pass but 1
        {"float", 3, 2, {"triangle 0,0 50x24 3"}},
        {"ignore", 3, 0, {}},
    };
    for (const row& r : rows) {
        fake_layout l;
        vux_element_paragraph owner;
        auto b = box_with(u"ab", 0, 50);
        if (r.flag) b->set_property(vux_string(r.flag), vux_string("yes"));
        b->triangle = r.triangle;
        b->measure(l, 0, &owner);
        l.draw_pass = r.pass;
        b->paint(l);
        EXPECT_EQ(l.draws(), r.draws) << (r.flag ? r.flag : "-") << " pass " << r.pass;
    }
}

TEST(BoxGeometry, HitIsInclusiveAndFollowsTheScrollOffset) {
    fake_layout l;
    auto b = box_with(u"ab", 10, 50);  // 10..60, 0..24
    b->measure(l, 0, nullptr);
    struct row {
        int16_t x, y;
        bool hit;
    };
    for (const row& r : {row{10, 0, true}, row{60, 24, true}, row{61, 10, false}, row{9, 10, false}})
        EXPECT_EQ(b->hit(l, vux_point(r.x, r.y)), r.hit) << r.x << "," << r.y;
    b->set_scroll_offset(-100);
    EXPECT_FALSE(b->hit(l, vux_point(30, 10)));
    b->set_flag(vux_element_box::ignore_bit, true);
    b->set_scroll_offset(0);
    EXPECT_FALSE(b->hit(l, vux_point(30, 10)));
}

TEST(BoxState, CheckedAndRaisedFromTheMarkVariable) {
    model_test::variables env;
    struct row {
        const char* value;
        int32_t index;
        bool checked;
    };
    const row rows[] = {
        {"00000004", 2, true}, {"00000004", 3, false}, {"00000004", 31, false}, {"0010", 2, true},
        {"0010", 1, false},    {"0010", 4, false},     {"0010", -1, false},     {"abc", 0, false},
    };
    for (const row& r : rows) {
        env.values["m"] = r.value;
        vux_element_box b;
        b.key_mark = vux_string("m");
        b.index = r.index;
        b.update_checked(env);
        EXPECT_EQ(b.flag(vux_element_box::checked_bit), r.checked) << r.value << " " << r.index;
    }
    vux_element_image im;
    im.key_mark = vux_string("m");
    env.values["m"] = "00000008";
    im.index = 3;
    im.update_raised(env);
    EXPECT_EQ(im.vertical_nudge, 1);
    im.vertical_nudge = 3;
    im.index = 31;
    im.update_raised(env);
    EXPECT_EQ(im.vertical_nudge, 3);  // no such bit: unchanged
}

TEST(TextMasking, StarsFollowTheStatedLengthWithinTheText) {
    struct row {
        const char* value;
        int32_t stars;
    };
    const row rows[] = {
        {"vux*000000030123456789abcdef", 3},
        {"vux*7fffffff0123456789abcdef", 10},  // a header past the text: clamped, then at most ten
        {"vux*000000000123456789abcdef", 0},
        {"secret", 6},
    };
    for (const row& r : rows) {
        model_test::variables env;
        env.values["pw"] = r.value;
        vux_element_text t;
        t.key = vux_string("pw");
        t.sync(true, env);
        EXPECT_EQ(t.text.to_utf8_string().str(), std::string(size_t(r.stars), '*')) << r.value;
    }
}

TEST(SegmentGeometry, FlowsWrapsAndKeepsEmptyLines) {
    fake_layout l;
    vux_element_segment s;
    s.text.text = vux_unicode(u"ab\n\ncd");
    s.measure(l);
    l.draw_pass = 1;
    EXPECT_TRUE(s.paint(l));
    // Rows of 20: "ab", an empty row, "cd".
    EXPECT_EQ(l.draws(), (std::vector<std::string>{"segment_text 0,0 12x0 ab", "segment_text 0,40 12x0 cd"}));

    // A segment after others on the line flows on and wraps unit by unit;
    // with "single" it moves whole to the next line when it does not fit.
    fake_layout w;
    w.pen.x = 230;
    vux_element_segment t;
    t.text.text = vux_unicode(u"xy");
    t.measure(w);
    EXPECT_EQ(t.start_y(), 0);
    EXPECT_EQ(t.last_top(), 20);
    EXPECT_EQ(t.end_x(), 6);
    fake_layout w2;
    w2.pen.x = 230;
    vux_element_segment u;
    u.text.text = vux_unicode(u"xy");
    u.set_property(vux_string("single"), vux_string("yes"));
    u.measure(w2);
    EXPECT_EQ(u.last_top(), 20);
    EXPECT_EQ(u.end_x(), 12);
    // At the line's start a unit wider than the line stays on it.
    fake_layout narrow(4, 100);
    vux_element_segment wide;
    wide.text.text = vux_unicode(u"a");
    wide.measure(narrow);
    EXPECT_EQ(wide.last_top(), 0);

    // Hits cover each line's units, inflated by the item gap (4).
    fake_layout h;
    vux_element_segment two;
    two.text.text = vux_unicode(u"abc\nde");
    two.measure(h);
    struct probe {
        int16_t x, y;
        bool hit;
    };
    for (const probe& q : {probe{0, 0, true}, probe{22, 24, true}, probe{23, 30, false}, probe{14, 30, true},
                           probe{17, 30, false}, probe{5, 45, false}})
        EXPECT_EQ(two.hit(h, vux_point(q.x, q.y)), q.hit) << q.x << "," << q.y;

    // Segments sharing a line end where the line does: a right-aligned
    // first segment moves with the text after it.
    fake_layout line;
    vux_element_segment first, second;
    first.text.text = vux_unicode(u"ab");
    first.align = 3;
    second.text.text = vux_unicode(u"cd\nef");
    first.measure(line);
    EXPECT_EQ(first.end_x(), 12);
    second.measure(line);
    EXPECT_EQ(first.end_x(), 24);
    line.draw_pass = 1;
    first.paint(line);
    EXPECT_EQ(line.draws(), (std::vector<std::string>{"segment_text 216,0 12x0 ab"}));

    // Ignored: no aux record, never hit.
    vux_element_segment ig;
    ig.text.text = vux_unicode(u"ab");
    ig.set_property(vux_string("ignore"), vux_string("yes"));
    ig.measure(w);
    EXPECT_FALSE(ig.aux);
    EXPECT_FALSE(ig.hit(w, vux_point(0, 0)));
}

TEST(SegmentGeometry, EllipsisCutsOnlyWhatDoesNotFit) {
    fake_layout l(60, 100);
    vux_element_segment s;
    s.text.text = vux_unicode(u"abcdefghij");
    s.set_property(vux_string("ellipsis"), vux_string("yes"));
    s.measure(l);
    EXPECT_EQ(text_of(s.text), u"abcdefg...");  // 60 - 18 leaves 7 units
    s.reset();
    EXPECT_EQ(text_of(s.text), u"abcdefghij");

    fake_layout m(60, 100);
    vux_element_segment fits;
    fits.text.text = vux_unicode(u"abc");
    fits.set_property(vux_string("ellipsis"), vux_string("yes"));
    fits.measure(m);
    EXPECT_EQ(text_of(fits.text), u"abc");
    EXPECT_FALSE(fits.text.full_text);
}

TEST(ElementKeywords, SegmentAndImageTables) {
    struct row {
        const char* key;
        const char* value;
        int32_t vux_element_segment::*field;
        int32_t expected;
    };
    const row segment_rows[] = {
        {"align", "right", &vux_element_segment::align, 3},
        {"align", "middle", &vux_element_segment::align, 1},  // not a word of the list
        {"ground", "null", &vux_element_segment::ground, -1},
        {"bright", "0x000000FF", &vux_element_segment::bright, 255},
        {"single", "yes", &vux_element_segment::flags, 4},
        {"single", "maybe", &vux_element_segment::flags, 0},
        {"float", "yes", &vux_element_segment::flags, 1 << 15},
    };
    for (const row& r : segment_rows) {
        vux_element_segment s;
        s.set_property(vux_string(r.key), vux_string(r.value));
        EXPECT_EQ(s.*r.field, r.expected) << r.key << "=" << r.value;
    }
    struct image_row {
        const char* key;
        const char* value;
        int32_t vux_element_image::*field;
        int32_t expected;
    };
    const image_row image_rows[] = {
        {"aline", "bottom", &vux_element_image::vertical_nudge, 3},
        {"aline", "middle", &vux_element_image::vertical_nudge, 2},
        {"talign", "center", &vux_element_image::label_align, 2},
        {"outer", "null", &vux_element_image::outer, -1},
        {"count", "4", &vux_element_image::count, 4},
        {"follow", "yes", &vux_element_image::flags, 2},
        {"float", "yes", &vux_element_image::flags, 1 << 9},
    };
    for (const image_row& r : image_rows) {
        vux_element_image im;
        im.set_property(vux_string(r.key), vux_string(r.value));
        EXPECT_EQ(im.*r.field, r.expected) << r.key << "=" << r.value;
    }
    vux_element_image im;
    im.set_property(vux_string("color"), vux_string("wrong"));
    EXPECT_EQ(im.text.colour, 10);
}

std::unique_ptr<vux_element_image> grid_image(int32_t count, int32_t position, int32_t width) {
    auto im = std::make_unique<vux_element_image>();
    im->count = count;
    im->position = position;
    im->width = width;
    im->height = 20;
    return im;
}

TEST(ImageGeometry, GroupsShareRows) {
    // Four 50 wide in a view 400 wide: 4 columns, gap 50; only the fourth
    // advances the pen.
    fake_layout l(400, 300);
    std::vector<int32_t> xs;
    for (int32_t p = 0; p < 4; ++p) {
        auto im = grid_image(4, p, 50);
        im->measure(l);
        EXPECT_EQ(l.pen.y, p == 3 ? 20 : 0) << p;
        xs.push_back(im->picture_rect(l).x);
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{0, 100, 200, 300}));

    // Six in a view that fits 3 columns: positions 2 and 5 end rows.
    fake_layout m(200, 300);
    std::vector<int32_t> ys;
    for (int32_t p = 0; p < 6; ++p) {
        auto im = grid_image(6, p, 50);
        im->measure(m);
        ys.push_back(m.pen.y);
    }
    EXPECT_EQ(ys, (std::vector<int32_t>{0, 0, 20, 20, 20, 40}));

    // No width, or a view narrower than two pictures: one column, no
    // division by zero.
    for (auto [view, width] : {std::pair{400, 0}, std::pair{60, 50}, std::pair{400, -10}}) {
        fake_layout n(view, 300);
        auto im = grid_image(3, 1, width);
        im->measure(n);
        EXPECT_EQ(n.pen.y, 20) << view << "," << width;
        (void)im->picture_rect(n);
    }

    // A label under a picture 30 high adds one row; an ignored image with
    // count 0 takes nothing, with count 3 still its cell.
    fake_layout k(240, 300);
    vux_element_image labelled;
    labelled.height = 30;
    labelled.text.text = vux_unicode(u"cap");
    labelled.measure(k);
    EXPECT_EQ(labelled.rows(), 3);
    vux_element_image ignored;
    ignored.set_property(vux_string("ignore"), vux_string("yes"));
    ignored.measure(k);
    EXPECT_FALSE(ignored.aux);
    ignored.count = 3;
    ignored.measure(k);
    EXPECT_TRUE(ignored.aux);
}

std::unique_ptr<vux_element_paragraph> paging_paragraph() {
    auto p = std::make_unique<vux_element_paragraph>();
    p->set_flag(vux_element_paragraph::paging_bit, true);
    p->page_count = 3;
    p->page_width = 100;
    p->page_switch = 30;
    auto roll = box_with(u"r", 0, 0);
    roll->set_property(vux_string("roll"), vux_string("yes"));
    p->children.append(std::move(roll));
    return p;
}

TEST(ParagraphPaging, DragsTurnPagesPastTheSwitchDistance) {
    fake_layout l;
    auto p = paging_paragraph();
    p->measure(l);
    auto* roll = p->children.get_as<vux_element_box>(0);
    EXPECT_TRUE(p->drag(40));
    EXPECT_TRUE(p->end_drag());
    EXPECT_EQ(p->page_index, 1);
    EXPECT_EQ(p->drag_offset, 0);
    EXPECT_EQ(roll->aux->scroll_offset, -100);
    EXPECT_TRUE(p->drag(-20));
    EXPECT_EQ(roll->aux->scroll_offset, -80);
    p->end_drag();
    EXPECT_EQ(p->page_index, 1);  // 20 is short of 30
    EXPECT_EQ(p->drag_offset, 0);

    // Past the first page a drag moves a third as far.
    p->page_index = 0;
    EXPECT_TRUE(p->drag(-30));
    EXPECT_EQ(p->drag_offset, -10);
    p->end_drag();

    struct row {
        int32_t from, kind, index;
        bool ok;
        int32_t to;
    };
    const row rows[] = {
        {2, 2, 0, true, 0}, {2, 1, 0, false, 2}, {0, 3, 0, false, 0}, {0, 4, 0, true, 2},
        {0, 5, 2, true, 2}, {1, 5, 1, false, 1}, {0, 5, 3, false, 0}, {0, 9, 0, false, 0},
    };
    for (const row& r : rows) {
        p->page_index = r.from;
        EXPECT_EQ(p->page_step(r.kind, r.index), r.ok) << r.from << " " << r.kind;
        EXPECT_EQ(p->page_index, r.to) << r.from << " " << r.kind;
    }

    // A negative page index from the wire counts as page 0.
    auto q = paging_paragraph();
    q->page_index = -5;
    q->measure(l);
    EXPECT_TRUE(q->next_page());
    EXPECT_EQ(q->page_index, 1);

    // Paging disabled: the steps still turn the pages; without pages they fail.
    struct off_row {
        int32_t count, from, kind, index;
        bool ok;
        int32_t to;
    };
    const off_row off_rows[] = {
        {3, 0, 1, 0, true, 1},  {3, 0, 4, 0, true, 2},  {3, 1, 5, 0, true, 0},  {3, 2, 1, 0, false, 2},
        {0, 0, 1, 0, false, 0}, {0, 0, 2, 0, false, 0}, {0, 0, 4, 0, false, 0}, {-1, INT32_MAX, 1, 0, false, INT32_MAX},
    };
    for (const off_row& r : off_rows) {
        auto o = paging_paragraph();
        o->set_flag(vux_element_paragraph::paging_bit, false);
        o->page_count = r.count;
        o->page_index = r.from;
        ASSERT_FALSE(o->paging_active());
        EXPECT_EQ(o->page_step(r.kind, r.index), r.ok) << r.count << " " << r.from << " " << r.kind;
        EXPECT_EQ(o->page_index, r.to) << r.count << " " << r.from << " " << r.kind;
    }

    // Ending a drag says whether it moved anything: only an offset left by
    // the drag does, whether or not the page turns.
    struct end_row {
        int32_t dx;
        bool moved;
        int32_t page;
    };
    for (const end_row& r : {end_row{0, false, 0}, end_row{20, true, 0}, end_row{40, true, 1}}) {
        SCOPED_TRACE(r.dx);
        auto still = paging_paragraph();
        still->measure(l);
        still->drag(r.dx);
        EXPECT_EQ(still->end_drag(), r.moved);
        EXPECT_EQ(still->page_index, r.page);
    }
}

TEST(ParagraphPasses, SyncLinksAndPressActions) {
    model_test::variables env;
    vux_element_paragraph p;
    auto fixed_text = box_with(u"kept", 0, 0);
    fixed_text->text.key = vux_string("k");
    fixed_text->set_property(vux_string("static"), vux_string("yes"));
    auto note = box_with(u"", 0, 0);
    note->text.key = vux_string("k");
    note->set_property(vux_string("note"), vux_string("yes"));
    auto pw = box_with(u"", 0, 0);
    pw->text.key = vux_string("k");
    pw->set_property(vux_string("password"), vux_string("yes"));
    p.children.append(std::move(fixed_text));
    p.children.append(std::move(note));
    p.children.append(std::move(pw));
    env.values["k"] = "hello";
    EXPECT_TRUE(p.sync(env));
    auto b = [&](int i) { return p.children.get_as<vux_element_box>(i); };
    EXPECT_EQ(text_of(b(0)->text), u"kept");   // static and not empty
    EXPECT_EQ(text_of(b(1)->text), u"");       // a note is not synchronised
    EXPECT_EQ(text_of(b(2)->text), u"*****");  // masked
    EXPECT_TRUE(p.mentions(vux_string("k")));
    EXPECT_FALSE(p.mentions(vux_string("z")));

    // Links: a guard that fails marks the link inactive (bit 6) and keeps
    // it out of the list; the list then matches.
    b(0)->hyperlink = std::make_unique<vux_hyperlink>();
    b(1)->hyperlink = std::make_unique<vux_hyperlink>();
    b(1)->hyperlink->guard = std::make_unique<vux_condition_list>();
    b(1)->hyperlink->guard->add().op = 2;
    b(1)->hyperlink->guard->at(0)->name = vux_string("absent");
    std::vector<vux_record*> links;
    EXPECT_FALSE(p.active_links_match(env, links));
    p.collect_active_links(env, links);
    EXPECT_EQ(links, (std::vector<vux_record*>{static_cast<vux_record*>(b(0))}));
    EXPECT_TRUE(b(1)->hyperlink->bit(6));
    EXPECT_TRUE(p.active_links_match(env, links));
    EXPECT_TRUE(p.mentions(vux_string("absent")));

    // The press action of the box under the point.
    fake_layout l;
    p.measure(l);
    EXPECT_EQ(p.press_action_at(l, vux_point(10, 5)), nullptr);
    b(0)->press = std::make_unique<vux_action>();
    EXPECT_EQ(p.press_action_at(l, vux_point(10, 5)), b(0)->press.get());
    p.set_flag(vux_element_paragraph::shown_bit, false);
    EXPECT_EQ(p.press_action_at(l, vux_point(10, 5)), nullptr);
}

TEST(ParagraphPasses, HeightCountdownAndVisibility) {
    fake_layout l;
    vux_element_paragraph p;
    p.minimum_height = 50;
    p.children.append(box_with(u"ab", 0, 0));  // 24 high
    p.measure(l);
    EXPECT_EQ(p.height_px, 50);
    EXPECT_EQ(l.pen.y, 50);

    model_test::variables env;
    vux_element_paragraph c;
    c.countdown = 1;
    c.guard = std::make_unique<vux_condition_list>();
    EXPECT_TRUE(c.tick(100, 100));
    EXPECT_TRUE(c.flag(vux_element_paragraph::expired_bit));
    EXPECT_TRUE(c.refresh(env));  // hidden although its conditions hold
    EXPECT_FALSE(c.flag(vux_element_paragraph::shown_bit));
    EXPECT_FALSE(c.tick(0, 0));
}

// A client of one paragraph holding a segment, a box and an image, laid
// out in a view of 240 x 320.
struct client_fixture {
    vux_element_client client;
    fake_layout* layout = nullptr;
    model_test::variables env;

    void lay_out() {
        auto l = std::make_unique<fake_layout>();
        layout = l.get();
        client.set_layout(std::move(l));
        client.client_rect = {0, 0, 240, 320};
        client.layout(env);
        layout->calls.clear();
    }
};

std::unique_ptr<vux_element_paragraph> named_paragraph(const char* name, bool fixed = false) {
    auto p = std::make_unique<vux_element_paragraph>();
    p->name = vux_string(name);
    p->set_flag(vux_element_paragraph::pins_bit, fixed);
    return p;
}

TEST(ClientDrawing, OneParagraphOfEachChildKind) {
    client_fixture f;
    auto p = named_paragraph("p");
    p->row_colour = 7;
    p->lines = 2;
    auto s = std::make_unique<vux_element_segment>();
    s->text.text = vux_unicode(u"hi");
    p->children.append(std::move(s));
    auto b = box_with(u"ok", 100, 60);
    b->image = vux_string("pic");
    p->children.append(std::move(b));
    auto im = std::make_unique<vux_element_image>();
    im->width = 30;
    im->height = 20;
    im->text.text = vux_unicode(u"cap");
    p->children.append(std::move(im));
    f.client.paragraphs.append(std::move(p));
    f.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    f.lay_out();
    f.client.draw(1);
    // The segment's line (20), then the image's picture row and label row.
    EXPECT_EQ(f.layout->draws(), (std::vector<std::string>{
                                     "fill 0,0 240x60 7",
                                     "segment_text 0,0 12x0 hi",
                                     "box_background 100,0 60x24",
                                     "box_frame 100,0 60x24",
                                     "box_image 100,0 60x24",
                                     "box_text 100,4 12x16 ok",
                                     "image 0,20 0x0",
                                     "image_text 0,40 0x0",
                                     "frame_line 0,60 240x0",
                                 }));
    EXPECT_EQ(f.layout->draw_pass, 1);
    f.client.draw(2);
    EXPECT_EQ(f.layout->draw_pass, 0);
}

// A paragraph's row fill and separator line are clipped and placed as its
// children are: those of a pinned paragraph stand at the anchor with its
// box, those of a fixed one are never clipped. The view is scrolled far
// past the paragraph. (The box itself, pinned or floating, is drawn in
// the passes after the first.)
TEST(ClientDrawing, RowDrawingsFollowTheParagraphsFixedFlags) {
    struct row {
        const char* what;
        bool fixed, pinned;
        std::vector<std::string> drawn;
    };
    const row rows[] = {
        {"plain", false, false, {}},
        {"pinned", false, true, {"fill 0,76 240x24 7", "frame_line 0,100 240x0"}},
        {"fixed", true, false, {"fill 0,-500 240x24 7", "frame_line 0,-476 240x0"}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        fake_layout l(240, 100);
        l.anchoring = 1;
        vux_element_scrollbar bar;
        bar.view_height = 100;
        bar.view_width = 240;
        bar.y_offset = 500;
        l.scroll_bar = &bar;
        auto p = named_paragraph("p", r.pinned);
        p->set_flag(vux_element_paragraph::fixed_bit, r.fixed);
        p->row_colour = 7;
        p->lines = 2;
        p->children.append(box_with(u"ok", 0, 60));
        p->measure(l);
        l.draw_pass = 1;
        l.calls.clear();
        p->paint(l);
        EXPECT_EQ(l.draws(), r.drawn);
    }
}

TEST(ClientLayout, RowStylesColourTheShownParagraphs) {
    struct row {
        int32_t style;
        std::vector<int32_t> colours;
        int32_t filler;
    };
    for (const row& r : {row{2, {5, 4, 5}, 4}, row{3, {5, 4, 5}, 5}, row{4, {4, 4, 2}, 2}}) {
        client_fixture f;
        f.client.row_style = r.style;
        for (const char* n : {"a", "b", "c"}) f.client.paragraphs.append(named_paragraph(n));
        f.lay_out();
        std::vector<int32_t> got;
        for (int32_t i = 0; i < 3; ++i) got.push_back(f.client.paragraph(i)->row_colour_in_use);
        EXPECT_EQ(got, r.colours) << r.style;
        EXPECT_EQ(f.client.filler_colour, r.filler) << r.style;
    }
}

std::vector<std::string> names_of(const vux_element_client& c) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < c.count(); ++i) out.push_back(c.paragraph(i)->name.str());
    return out;
}

TEST(ClientSteps, ParagraphStepsKeepFixedParagraphsLastAndTrim) {
    vux_element_client c;
    c.paragraphs.append(named_paragraph("head", true));
    c.paragraphs.append(named_paragraph("old"));
    const vux_object* head = c.paragraph(0);
    vux_action_paragraph step;
    step.value_2 = 3;  // append, the fixed ones after
    for (int i = 0; i < 40; ++i) step.paragraphs.append(named_paragraph(("n" + std::to_string(i)).c_str()));
    c.apply_paragraph_step(step);
    ASSERT_EQ(c.count(), 32);
    EXPECT_EQ(c.paragraph(0)->name.str(), "n9");
    EXPECT_EQ(c.paragraph(31)->name.str(), "head");
    EXPECT_EQ(c.paragraph(31), head);  // the original moved back, no clone left behind

    vux_element_client m;
    for (const char* n : {"a", "b", "c"}) m.paragraphs.append(named_paragraph(n));
    vux_action_paragraph move;
    move.value_2 = 7;
    move.value_3 = 3;  // the count: nothing
    move.paragraphs.append(named_paragraph("a"));
    m.apply_paragraph_step(move);
    EXPECT_EQ(names_of(m), (std::vector<std::string>{"a", "b", "c"}));
    move.value_3 = 2;
    m.apply_paragraph_step(move);
    EXPECT_EQ(names_of(m), (std::vector<std::string>{"b", "c", "a"}));

    vux_action_paragraph insert;
    insert.value_2 = 2;
    insert.value_3 = -4;  // a negative index from the wire counts as 0
    insert.paragraphs.append(named_paragraph("z"));
    m.apply_paragraph_step(insert);
    EXPECT_EQ(names_of(m), (std::vector<std::string>{"z", "b", "c", "a"}));
}

TEST(ClientSteps, DeletionsLeaveNoDanglingPointers) {
    // A box inheriting its neighbour's link, the neighbour's link deleted
    // by a property step.
    client_fixture f;
    auto p = named_paragraph("p");
    auto outer = box_with(u"", 0, 0);
    outer->name = vux_string("outer");
    outer->height = 100;
    outer->hyperlink = std::make_unique<vux_hyperlink>();
    auto inner = box_with(u"in", 10, 50);
    inner->set_property(vux_string("inside"), vux_string("yes"));
    p->children.append(std::move(outer));
    p->children.append(std::move(inner));
    f.client.paragraphs.append(std::move(p));
    f.lay_out();
    f.client.draw(1);
    auto* in = f.client.paragraph(0)->children.get_as<vux_element_box>(1);
    ASSERT_NE(in->inherited_link, nullptr);
    vux_action_property step;
    step.text_1 = vux_string("p");
    step.text_2 = vux_string("outer");
    step.names.append(vux_string("hyperlink"));
    step.names.append(vux_string(""));
    step.value_3 = 0;  // no relayout
    f.client.apply_property_step(step, f.env);
    EXPECT_EQ(in->inherited_link, nullptr);
    EXPECT_EQ(in->link(), nullptr);

    // The scroll bar's paging paragraph deleted by a paragraph step.
    vux_element_client c;
    c.scroll_bar = std::make_unique<vux_element_scrollbar>();
    c.paragraphs.append(named_paragraph("pages"));
    c.scroll_bar->paging = c.paragraph(0);
    vux_action_paragraph remove;
    remove.value_2 = 5;
    remove.paragraphs.append(named_paragraph("pages"));
    c.apply_paragraph_step(remove);
    EXPECT_EQ(c.count(), 0);
    EXPECT_EQ(c.scroll_bar->paging, nullptr);
}

TEST(ClientSteps, ElementAndPropertyStepsReachTheNamedChild) {
    vux_element_client c;
    auto p = named_paragraph("p");
    auto b = box_with(u"x", 0, 0);
    b->name = vux_string("b");
    p->children.append(std::move(b));
    c.paragraphs.append(std::move(p));

    model_test::variables env;
    env.values["who"] = "b";
    vux_action_property prop;
    prop.text_1 = vux_string("p");
    prop.text_2 = vux_string("$ who");  // indirect
    for (const char* s : {"ground", "0x000000FF", "text", "$ missing", "width", "30"}) prop.names.append(vux_string(s));
    prop.hyperlink = std::make_unique<vux_hyperlink>();
    prop.value_5 = 1;  // the link flag
    c.apply_property_step(prop, env);
    auto* box = c.paragraph(0)->children.get_as<vux_element_box>(0);
    EXPECT_EQ(box->ground, 255);
    EXPECT_EQ(text_of(box->text), u"x");  // an unresolved value skips its pair
    EXPECT_EQ(box->width, 30);
    ASSERT_TRUE(box->hyperlink);
    EXPECT_TRUE(box->hyperlink->is_focused());

    vux_action_element el;
    el.text_1 = vux_string("p");
    el.value_2 = 2;
    el.value_3 = -1;  // clamps to 0
    auto seg = std::make_unique<vux_element_segment>();
    seg->name = vux_string("s");
    el.elements.append(std::move(seg));
    c.apply_element_step(el);
    EXPECT_EQ(c.paragraph(0)->find_segment(vux_string("s")), 0);
    el.value_2 = 6;  // move like to index 1
    el.value_3 = 1;
    c.apply_element_step(el);
    EXPECT_EQ(c.paragraph(0)->find_segment(vux_string("s")), 1);
    el.value_2 = 4;
    c.apply_element_step(el);
    EXPECT_EQ(c.paragraph(0)->find_segment(vux_string("s")), -1);
}

TEST(ClientScrolling, WithoutAScrollBarNothingScrolls) {
    vux_element_client c;
    EXPECT_FALSE(c.page_down());
    EXPECT_FALSE(c.line_up());
    EXPECT_FALSE(c.repeat_down(true, false));
    EXPECT_FALSE(c.scroll_by_drag(0, 10));
    EXPECT_FALSE(c.to_bottom());
    EXPECT_FALSE(c.can_scroll_down());

    // Short content without a scroll bar sits at the bottom of the view.
    client_fixture f;
    auto p = named_paragraph("p");
    p->children.append(box_with(u"ab", 0, 0));
    f.client.paragraphs.append(std::move(p));
    f.lay_out();
    EXPECT_EQ(f.client.view_rect.y, 320 - 24);
}

TEST(ScrollBarDrag, RubberBandAndLimits) {
    struct row {
        int32_t content, view, drag_up, y;
    };
    const row rows[] = {
        {200, 300, 90, 30},       // fits, elastic: a third
        {200, 300, -90, -30},     // pulled down from the top: a third
        {200, 300, -3000, -300},  // never below minus the view
        {1000, 300, 500, 500},    // within the content: as far as dragged
        {1000, 300, 1000, 700 + 0 + (1000 + 300 - 1000) / 3 - 0},
    };
    for (const row& r : rows) {
        vux_element_scrollbar s;
        s.content_height = r.content;
        s.view_height = r.view;
        s.start_drag(0, 1000);
        EXPECT_EQ(s.drag(0, 1000 - r.drag_up), r.y != 0) << r.content << " " << r.drag_up;
        EXPECT_EQ(s.y_offset, r.y) << r.content << " " << r.drag_up;
    }
}

TEST(ScrollBarState, SaveRestoreAndSettle) {
    struct row {
        bool keep_bottom;
        int32_t before, after, y;
    };
    // Saved at y 400 of 1000; the content grows to 1200 (view 300).
    for (const row& r : {row{false, 1000, 1200, 400}, row{true, 1000, 1200, 600}, row{true, 1300, 1200, 400}}) {
        vux_element_scrollbar s;
        s.content_height = r.before;
        s.view_height = 300;
        s.y_offset = 400;
        s.save(true, r.keep_bottom);
        EXPECT_EQ(s.y_offset, 0);
        s.save(true, false);  // the first save holds
        s.content_height = r.after;
        s.view_height = 300;
        EXPECT_TRUE(s.restore());
        EXPECT_EQ(s.y_offset, r.y) << r.keep_bottom << " " << r.before;
        EXPECT_FALSE(s.restore());
    }

    // A rubber-banded offset comes back on the settle steps; the paging
    // paragraph ends its drag and is let go.
    vux_element_scrollbar s;
    s.content_height = 200;
    s.view_height = 300;
    s.start_drag(0, 100);
    ASSERT_TRUE(s.drag(0, 10));
    EXPECT_EQ(s.y_offset, 30);
    s.end_drag();
    auto p = paging_paragraph();
    fake_layout l;
    p->measure(l);
    p->drag(50);
    s.paging = p.get();
    EXPECT_TRUE(s.settle_step());  // counter 0: normalised back to 0
    EXPECT_EQ(s.y_offset, 0);
    EXPECT_EQ(s.paging, nullptr);
    EXPECT_EQ(p->page_index, 1);
    EXPECT_TRUE(s.settle_step());  // counter 1: one more repaint
    EXPECT_FALSE(s.settle_step());
    EXPECT_TRUE(s.settled());
    // Settled, an offset past the end still comes back, and its thumb with it.
    s.content_height = 1000;
    s.track_v = vux_rect(0, 0, 4, 100);
    s.y_offset = 900;
    ASSERT_FALSE(s.thumb_vertical().is_empty());
    EXPECT_TRUE(s.settle_step());
    EXPECT_EQ(s.y_offset, 700);
    EXPECT_TRUE(s.thumb_v.is_empty());  // placed again at the next paint
}

TEST(ClientLayout, ScrollPositionAfterLayout) {
    // 30 paragraphs of 24: content 720 in a view of 320.
    auto fill = [](client_fixture& f) {
        f.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        for (int i = 0; i < 30; ++i) {
            auto p = named_paragraph(("p" + std::to_string(i)).c_str());
            p->children.append(box_with(u"x", 0, 0));
            f.client.paragraphs.append(std::move(p));
        }
    };
    client_fixture bottom;
    fill(bottom);
    bottom.client.flags |= 1 << vux_element_client::bottom_bit;
    bottom.lay_out();
    EXPECT_EQ(bottom.client.scroll_bar->y_offset, 400);

    client_fixture top;
    fill(top);
    top.client.paragraph(10)->set_flag(vux_element_paragraph::scroll_top_bit, true);
    top.lay_out();
    EXPECT_EQ(top.client.scroll_bar->y_offset, 240);
    EXPECT_FALSE(top.client.paragraph(10)->flag(vux_element_paragraph::scroll_top_bit));  // one-shot

    // Both marks: the top one, then the bottom one (paragraph 20 ends at 504).
    client_fixture both;
    fill(both);
    both.client.paragraph(10)->set_flag(vux_element_paragraph::scroll_top_bit, true);
    both.client.paragraph(20)->set_flag(vux_element_paragraph::scroll_bottom_bit, true);
    both.lay_out();
    EXPECT_EQ(both.client.scroll_bar->y_offset, 504 - 320);

    // A relayout that keeps the position restores it.
    top.client.scroll_bar->y_offset = 100;
    top.client.refresh_layout(true);
    EXPECT_EQ(top.client.current_layout(), nullptr);
    top.lay_out();
    EXPECT_EQ(top.client.scroll_bar->y_offset, 100);
    top.client.refresh_layout(false);
    top.lay_out();
    EXPECT_EQ(top.client.scroll_bar->y_offset, 0);
}

// Three linked boxes 24 high, at y 0, 24 and 48, on a client that scrolls
// (so the short content stays at the top of the view).
struct pointer_fixture : client_fixture {
    explicit pointer_fixture(int32_t header_lock = 0) {
        client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        client.scroll_bar->header_lock = header_lock;
        for (const char* n : {"a", "b", "c"}) {
            auto p = named_paragraph(n);
            auto b = box_with(u"x", 0, 0);
            b->name = vux_string(n);
            b->hyperlink = std::make_unique<vux_hyperlink>();
            b->hyperlink->action = std::make_unique<vux_action>();
            b->hyperlink->action->value_5 = 1;  // tells the link's action apart
            b->action = std::make_unique<vux_action>();
            b->action->value_5 = 2;  // and the box's own
            p->children.append(std::move(b));
            client.paragraphs.append(std::move(p));
        }
        client.default_action = std::make_unique<vux_action>();
        client.default_action->value_5 = 3;
        lay_out();
    }
    int32_t focused() const { return client.current_layout()->find_focused_item(); }
    int32_t pressed() const { return client.current_layout()->find_pressed_item(); }
};

TEST(ClientPointer, PressFocusesAndPressesTheItemUnderThePoint) {
    struct row {
        const char* what;
        int32_t first_y;  // an earlier press, -1 none
        int32_t y;
        bool only_test;
        bool result, missed;
        int32_t focused, pressed;
    };
    const row rows[] = {
        {"hit", -1, 30, false, true, false, 1, 1},
        {"only a test", -1, 30, true, true, false, -1, -1},
        {"miss", -1, 200, false, false, true, -1, -1},
        {"another item", 5, 30, false, true, false, 1, 1},
        {"a miss lets the pressed focus go", 5, 200, false, false, true, 0, -1},
        {"a test on another item drops the old focus", 5, 30, true, true, false, -1, -1},
        {"a test on the focused item keeps it", 5, 5, true, true, false, 0, -1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        pointer_fixture f;
        if (r.first_y >= 0) {
            ASSERT_TRUE(f.client.press(vux_point(5, r.first_y), false));
        }
        EXPECT_EQ(f.client.press(vux_point(5, r.y), r.only_test), r.result);
        EXPECT_EQ(f.client.press_missed, r.missed);
        EXPECT_EQ(f.focused(), r.focused);
        EXPECT_EQ(f.pressed(), r.pressed);
        EXPECT_EQ(f.client.has_focus(), r.focused >= 0);
    }
    vux_element_client bare;  // no layout
    EXPECT_FALSE(bare.press(vux_point(5, 5), false));
    EXPECT_FALSE(bare.has_focus());
}

TEST(ClientPointer, FocusedTargetsAndThePressCountdown) {
    pointer_fixture f;
    EXPECT_EQ(f.client.focused_sub_item(true), nullptr);      // nothing focused
    EXPECT_EQ(f.client.focused_sub_item(false)->value_5, 3);  // the client's default
    ASSERT_TRUE(f.client.press(vux_point(5, 30), false));
    EXPECT_EQ(f.client.focused_sub_item(true)->value_5, 2);
    EXPECT_EQ(f.client.focused_sub_item(false)->value_5, 1);
    EXPECT_EQ(f.client.pressed_target()->value_5, 1);

    // The press countdown is two: it runs out on the second call, or at
    // once when forced; a released item has none.
    EXPECT_FALSE(f.client.focused_item_activate(false));
    EXPECT_TRUE(f.client.focused_item_activate(false));
    EXPECT_FALSE(f.client.focused_item_activate(false));
    EXPECT_FALSE(f.client.focused_item_activate(true));
    ASSERT_TRUE(f.client.press(vux_point(5, 30), false));
    EXPECT_TRUE(f.client.focused_item_activate(true));
    EXPECT_FALSE(f.client.focused_item_activate(false));
    f.client.release_pressed();
    EXPECT_EQ(f.client.pressed_target(), nullptr);

    f.client.drop_focus();
    EXPECT_FALSE(f.client.has_focus());
}

// Pressing the focused item again: once, from a point near where the drag
// started; the press starts a new drag there.
TEST(ClientPointer, PressFocusedPressesTheFocusedItemOnce) {
    pointer_fixture f;
    vux_element_scrollbar& bar = *f.client.scroll_bar;
    bar.drag_tolerance = 10;
    EXPECT_FALSE(f.client.press_focused(vux_point(5, 30)));  // nothing focused
    ASSERT_TRUE(f.client.press(vux_point(5, 30), false));
    f.client.start_drag(5, 30);
    f.client.release_pressed();
    ASSERT_EQ(f.pressed(), -1);

    EXPECT_TRUE(f.client.press_focused(vux_point(8, 33)));
    EXPECT_EQ(f.pressed(), 1);
    EXPECT_FALSE(bar.beyond_tolerance(17, 42));  // the drag starts at the press
    EXPECT_TRUE(bar.beyond_tolerance(18, 33));
    EXPECT_FALSE(f.client.press_focused(vux_point(8, 33)));  // pressed already

    // On the item but too far from the drag's start: no press. Off the item
    // the focused item is pressed all the same.
    f.client.release_pressed();
    bar.start_drag(100, 100);
    EXPECT_FALSE(f.client.press_focused(vux_point(5, 30)));
    EXPECT_EQ(f.pressed(), -1);
    EXPECT_TRUE(f.client.press_focused(vux_point(5, 5)));
    EXPECT_EQ(f.pressed(), 1);

    // A new press lets the client's press go with the pressed focus.
    ASSERT_TRUE(f.client.press(vux_point(5, 30), false));
    f.client.start_drag(5, 30);
    EXPECT_TRUE(f.client.press_focused(vux_point(5, 30)));
}

// A new layout starts without the old focus: the box a property step
// focuses, or a link appended that asks for the focus, is then the one
// focused item, and the select key reaches it.
TEST(ClientPointer, ANewLayoutDropsTheOldFocus) {
    pointer_fixture f;
    auto focused_links = [&] {
        int n = 0;
        for (int32_t i = 0; i < f.client.count(); ++i) {
            const auto* b = f.client.paragraph(i)->children.get_as<vux_element_box>(0);
            if (b && b->hyperlink && b->hyperlink->is_focused()) ++n;
        }
        return n;
    };
    auto laid_out_again = [&] {
        f.lay_out();
        f.layout->restore_focus();
    };
    f.layout->restore_focus();
    ASSERT_EQ(f.focused(), 0);

    vux_action_property focus_c;  // relayout and keep flags set by default
    focus_c.text_1 = vux_string("c");
    focus_c.text_2 = vux_string("c");
    focus_c.hyperlink = std::make_unique<vux_hyperlink>();
    focus_c.hyperlink->action = std::make_unique<vux_action>();
    focus_c.hyperlink->action->value_5 = 7;
    focus_c.value_5 = 1;  // the link flag
    f.client.apply_property_step(focus_c, f.env);
    EXPECT_EQ(focused_links(), 1);  // a's focus went with the layout
    laid_out_again();
    EXPECT_EQ(f.focused(), 2);
    EXPECT_EQ(focused_links(), 1);
    EXPECT_EQ(f.client.focused_sub_item(false)->value_5, 7);

    vux_action_paragraph append;
    append.value_2 = 3;
    auto d = named_paragraph("d");
    auto b = box_with(u"x", 0, 0);
    b->hyperlink = std::make_unique<vux_hyperlink>();
    b->hyperlink->flags |= 1 << 15;  // takes the focus
    d->children.append(std::move(b));
    append.paragraphs.append(std::move(d));
    f.client.apply_paragraph_step(append);
    laid_out_again();
    EXPECT_EQ(f.focused(), 3);
    EXPECT_EQ(focused_links(), 1);
}

TEST(ClientPointer, ALockedFocusHoldsTheContentStill) {
    pointer_fixture f;
    vux_element_scrollbar& bar = *f.client.scroll_bar;
    bar.content_height = 1000;
    bar.view_height = 100;
    ASSERT_TRUE(f.client.press(vux_point(5, 30), false));
    f.client.current_layout()->link_at(1)->set_bit_2(true);
    f.client.start_drag(5, 50);
    EXPECT_FALSE(f.client.scroll_by_drag(5, 20));
    EXPECT_EQ(bar.y_offset, 0);
    f.client.current_layout()->link_at(1)->set_bit_2(false);
    EXPECT_TRUE(f.client.scroll_by_drag(5, 20));
    EXPECT_EQ(bar.y_offset, 30);
}

// With header lock a press within the layout's reach, or in the fixed band
// while the anchor is outside the view, blocks the drag that follows.
TEST(ClientPointer, HeaderLockBlocksDragsFromTheHeader) {
    struct row {
        int32_t header_lock, reach, y;
        bool blocked;
    };
    const row rows[] = {{1, 20, 10, true}, {1, 20, 21, false}, {0, 20, 10, false}, {1, 0, 10, false}};
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << "lock " << r.header_lock << " reach " << r.reach << " y " << r.y);
        pointer_fixture f(r.header_lock);
        vux_element_scrollbar& bar = *f.client.scroll_bar;
        bar.content_height = 1000;
        bar.view_height = 100;
        f.client.current_layout()->reach_limit = r.reach;
        f.client.press(vux_point(5, r.y), false);
        EXPECT_EQ(bar.drag_blocked, r.blocked);
        f.client.start_drag(5, 60);
        EXPECT_EQ(f.client.scroll_by_drag(5, 30), !r.blocked);
    }
}

TEST(ClientLayout, VisibleRectLeavesOutTheFixedBand) {
    client_fixture f;
    f.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    f.client.scroll_bar->header_lock = 1;
    auto head = named_paragraph("head");
    head->set_flag(vux_element_paragraph::fixed_bit, true);
    head->children.append(box_with(u"h", 0, 0));  // 24 high
    f.client.paragraphs.append(std::move(head));
    f.client.paragraphs.append(named_paragraph("body"));
    f.lay_out();
    const vux_layout_rect r = f.client.visible_rect();
    EXPECT_EQ(r.y, 24);
    EXPECT_EQ(r.h, 320 - 24);

    f.client.scroll_bar->header_lock = 0;
    EXPECT_EQ(f.client.visible_rect().y, 0);
}

TEST(CommandBar, SoftkeyStepsSaveAndRestore) {
    auto command = [](const char16_t* label) {
        auto c = std::make_unique<vux_element_command>();
        c->label = vux_unicode(label);
        return c;
    };
    vux_element_commandbar bar;
    bar.left = command(u"old");
    vux_action_softkey step;
    step.value_2 = 1;
    step.command = command(u"new");
    bar.apply_softkey_step(step);  // "old" saved
    step.command = command(u"newer");
    bar.apply_softkey_step(step);  // the older saved command stays
    EXPECT_EQ(bar.saved[0]->label, vux_unicode(u"old"));
    EXPECT_EQ(bar.left->label, vux_unicode(u"newer"));
    vux_action_softkey back;
    bar.apply_softkey_step(back);
    EXPECT_EQ(bar.left->label, vux_unicode(u"old"));
    EXPECT_FALSE(bar.saved[0]);
    bar.apply_softkey_step(back);  // nothing saved: nothing changes
    EXPECT_EQ(bar.left->label, vux_unicode(u"old"));

    // The same label keeps the shown object.
    bar.show_default(0);
    const vux_element_command* shown = bar.shown_command(0);
    bar.show_command(0, *command(u"old"));
    EXPECT_EQ(bar.shown_command(0), shown);

    // A close command's label comes in UTF-8.
    bar.show_close_command(vux_string("\xC3\xA9"));
    EXPECT_EQ(bar.shown_command(0)->label, vux_unicode(u"\u00E9"));
    EXPECT_TRUE(bar.shown_command(0)->is_close_command());

    // A hidden command can be neither pressed nor triggered.
    model_test::variables env;
    bar.shown_command(0)->rect = vux_rect(0, 0, 10, 10);
    bar.shown_command(0)->enabled = 1;
    bar.shown_command(0)->guard = std::make_unique<vux_condition_list>();
    bar.shown_command(0)->guard->add().op = 2;  // defined
    bar.shown_command(0)->guard->at(0)->name = vux_string("v");
    bar.shown_command(0)->refresh(env);
    EXPECT_FALSE(bar.press(vux_point(5, 5)));
    EXPECT_EQ(bar.triggered_action(env), nullptr);
}

TEST(CountDowns, StopAtTheFirstActionToFire) {
    model_test::variables env;
    vux_menu m;
    m.commandbar.shown[0] = std::make_unique<vux_element_command>();
    m.commandbar.shown[0]->action.countdown = 2;
    for (int i = 0; i < 2; ++i) {
        m.commands.append(std::make_unique<vux_element_command>());
        m.command(i)->action.countdown = 1;
    }
    EXPECT_EQ(m.count_down(env), &m.command(0)->action);
    EXPECT_EQ(m.command(1)->action.countdown, 1);  // waits: not lost
    EXPECT_EQ(m.count_down(env), &m.commandbar.shown[0]->action);
    EXPECT_EQ(m.count_down(env), &m.command(1)->action);
    EXPECT_EQ(m.count_down(env), nullptr);

    vux_window w;
    auto p = named_paragraph("p");
    auto b = box_with(u"x", 0, 0);
    b->hyperlink = std::make_unique<vux_hyperlink>();
    b->hyperlink->action = std::make_unique<vux_action>();
    b->hyperlink->action->countdown = 1;
    p->children.append(std::move(b));
    w.client.paragraphs.append(std::move(p));
    EXPECT_NE(w.find_triggered_action(env), nullptr);
    EXPECT_EQ(w.find_triggered_action(env), nullptr);
}

TEST(StepNames, TheDumpNamesTheIntegersByRoleAndBuildsBack) {
    vux_action_element element;
    element.value_2 = 6;
    element.value_3 = 2;
    vux_action_property property;
    property.value_5 = 1;
    vux_action_softkey softkey;
    softkey.value_2 = 2;
    struct row {
        vux_record* step;
        std::unique_ptr<vux_record> fresh;
        std::vector<std::string> names;
    };
    row rows[] = {
        {&element, std::make_unique<vux_action_element>(), {"\"mode\":6", "\"index\":2", "\"carried\""}},
        {&property, std::make_unique<vux_action_property>(), {"\"link_flag\":1", "\"reset_links\""}},
        {&softkey, std::make_unique<vux_action_softkey>(), {"\"save_mode\":2", "\"clear_flag\""}},
    };
    for (row& r : rows) {
        const std::string json = vux_record_dump::to_json(*r.step);
        for (const std::string& n : r.names) EXPECT_NE(json.find(n), std::string::npos) << n << " in " << json;
        std::string error;
        ASSERT_TRUE(vux_record_build::from_json(json, *r.fresh, &error)) << error;
        EXPECT_EQ(model_test::bytes_of(*r.fresh), model_test::bytes_of(*r.step));
    }
}

// A client with paragraphs of all three child kinds, a scroll bar,
// hyperlinks, actions and guards.
void fill_client(vux_element_client& c) {
    auto p = named_paragraph("p");
    auto seg = std::make_unique<vux_element_segment>();
    seg->text.text = vux_unicode(u"seg");
    seg->icon = std::make_unique<vux_icon>();
    seg->hyperlink = std::make_unique<vux_hyperlink>();
    seg->hyperlink->action = std::make_unique<vux_action>();
    seg->hyperlink->guard = std::make_unique<vux_condition_list>();
    seg->hyperlink->guard->add().name = vux_string("g");
    p->children.append(std::move(seg));
    auto b = box_with(u"box", -20, 0);
    b->press = std::make_unique<vux_action>();
    b->action = std::make_unique<vux_action>();
    p->children.append(std::move(b));
    auto im = std::make_unique<vux_element_image>();
    im->primary = vux_string("pic");
    im->hyperlink = std::make_unique<vux_hyperlink>();
    p->children.append(std::move(im));
    p->guard = std::make_unique<vux_condition_list>();
    c.paragraphs.append(std::move(p));
    c.paragraphs.append(named_paragraph("second", true));
    c.pull_top = std::make_unique<vux_action>();
    c.pull_bottom = std::make_unique<vux_action>();
    c.default_action = std::make_unique<vux_action>();
    c.scroll_bar = std::make_unique<vux_element_scrollbar>();
}

void fill_bar(vux_element_commandbar& bar) {
    bar.left = std::make_unique<vux_element_command>();
    bar.left->label = vux_unicode(u"Back");
    bar.right = std::make_unique<vux_element_command>();
    bar.right->guard = std::make_unique<vux_condition_list>();
}

template <class Screen>
void expect_tree_round_trips(Screen& screen) {
    const std::vector<uint8_t> bytes = model_test::bytes_of(screen);
    Screen again;
    ASSERT_TRUE(model_test::read_from(again, bytes)) << screen.class_name();
    EXPECT_EQ(model_test::bytes_of(again), bytes) << screen.class_name();
    EXPECT_EQ(vux_record_dump::to_json(again), vux_record_dump::to_json(screen));
    for (size_t n = 0; n < bytes.size(); n += 7) {
        Screen cut;
        EXPECT_FALSE(model_test::read_from(cut, bytes, n)) << screen.class_name() << " cut at " << n;
    }
}

TEST(ScreenTrees, WindowDialogAndMenuRoundTrip) {
    vux_window w;
    w.name = vux_string("main");
    fill_client(w.client);
    fill_bar(w.commandbar);
    expect_tree_round_trips(w);

    // A clone of a measured paragraph is laid out afresh.
    w.client.set_layout(std::make_unique<fake_layout>());
    w.client.client_rect = {0, 0, 240, 320};
    model_test::variables env;
    ASSERT_TRUE(w.client.layout(env));
    EXPECT_TRUE(w.client.paragraph(0)->flag(vux_element_paragraph::measured_bit));
    auto copy = w.client.paragraph(0)->clone();
    EXPECT_FALSE(static_cast<vux_element_paragraph&>(*copy).flag(vux_element_paragraph::measured_bit));

    vux_dialog d;
    fill_client(d.client);
    fill_bar(d.commandbar);
    d.guard = std::make_unique<vux_condition_list>();
    expect_tree_round_trips(d);

    vux_menu m;
    fill_bar(m.commandbar);
    m.commands.append(std::make_unique<vux_element_command>());
    expect_tree_round_trips(m);
}

}  // namespace

// An animated picture's clock advances its frame every call (gap 0) and
// wraps to the first frame at the end of the counter's range.
TEST(ImageClock, AnimationAdvancesTheFrameAndWraps) {
    vux_element_image img;
    img.set_property(vux_string("animation"), vux_string("yes"));
    img.set_property(vux_string("primary"), vux_string("walk.gif"));
    EXPECT_TRUE(img.tick(100, 7));
    EXPECT_EQ(img.frame, 1);
    img.frame = INT32_MAX;
    EXPECT_TRUE(img.tick(100, 7));
    EXPECT_EQ(img.frame, 0);
}
