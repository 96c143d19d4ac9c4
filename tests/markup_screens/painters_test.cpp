#include <QImage>
#include <algorithm>
#include <string>
#include "markup/model/vux_brush.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_switch.h"
#include "markup_runtime/screens_fixture.h"
#include "toolkit/vux_image_host.h"

// Each painter's rule probed on the QImage host at twice the design scale
// (480 x 640: a design unit is two pixels): positions from the metrics, the
// colours from the brush keys, every key a colour of its own.
namespace {

uint32_t key_colour(int32_t key) {
    return uint32_t((key * 37 + 16) & 0xFF) << 16 | uint32_t((key * 91 + 8) & 0xFF) << 8 |
           uint32_t((key * 13 + 64) & 0xFF);
}

vux_brush every_key() {
    vux_brush b;
    for (int32_t key = 1; key <= 76; ++key) b.entries.append(vux_brush::pack(key, int32_t(key_colour(key))));
    return b;
}

std::unique_ptr<vux_element_paragraph> paragraph_of(std::unique_ptr<vux_object> child) {
    auto p = std::make_unique<vux_element_paragraph>();
    p->children.append(std::move(child));
    return p;
}

std::unique_ptr<vux_element_segment> text_segment(const std::u16string& text) {
    auto s = std::make_unique<vux_element_segment>();
    s->text.text = vux_unicode(text);
    return s;
}

struct Painters : ::testing::Test {
    vux_image_host host{480, 640};
    vux_engine* e = nullptr;
    void SetUp() override {
        e = vux_engine_create();
        host.attach(e);
    }
    void TearDown() override { vux_engine_destroy(e); }
    vux_manager& m() { return *static_cast<vux_manager*>(e); }
    vux_canvas& canvas() { return m().canvas(); }
    vux_window& window() { return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w"))); }

    // Starts the document and shows window "w".
    void show(doc_builder& doc) {
        const std::string bytes = doc.add(every_key()).done();
        vux_image_host::start(e, QByteArray(bytes.data(), int(bytes.size())));
        vux_action a = action_of(show_step(1, 2, "w"));
        m().runner().run(a);
        m().machine().settle(true);
    }
    void repaint() { m().machine().repaint_full(); }
    uint32_t at(int x, int y) const { return host.image().pixel(x, y) & 0xFFFFFFu; }
    // The columns (or rows) of a rectangle where the colour shows.
    int leftmost(const vux_rect& r, uint32_t colour) const {
        for (int x = r.left(); x < r.right(); ++x)
            for (int y = r.top(); y < r.bottom(); ++y)
                if (at(x, y) == colour) return x;
        return -1;
    }
    int rightmost(const vux_rect& r, uint32_t colour) const {
        for (int x = r.right() - 1; x >= r.left(); --x)
            for (int y = r.top(); y < r.bottom(); ++y)
                if (at(x, y) == colour) return x;
        return -1;
    }
};

}  // namespace

// A box's border lies inset by its scaled "bindent"; while its link is
// focused the focus border ("borders") is drawn over it, pressed the pressed
// one ("borderf"); the focus ground ("grounds") fills the box.
TEST_F(Painters, BoxBorderInsetAndStateColours) {
    auto w = screen_named<vux_window>("w");
    w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    auto box = std::make_unique<vux_element_box>();
    box->left = 20;
    box->width = 100;
    box->height = 40;
    box->ground = 0x00F0F0F0;
    box->ground_s = 0x00C0C0FF;
    box->border = 0x00FF0000;
    box->border_s = 0x0000FF00;
    box->border_f = 0x000000FF;
    box->border_indent = 3;
    box->hyperlink = std::make_unique<vux_hyperlink>();
    w->client.paragraphs.append(paragraph_of(std::move(box)));
    doc_builder doc;
    doc.add(*w);
    show(doc);
    auto* b = static_cast<vux_element_box*>(
        static_cast<vux_element_paragraph*>(window().client.paragraphs.get(0))->children.get(0));
    ASSERT_NE(b->aux, nullptr);
    const vux_point p = window().client.current_layout()->to_screen(b->aux->top_left, false, false);
    const int in = canvas().scale(3), w_px = canvas().scale(100), h_px = canvas().scale(40);
    EXPECT_EQ(in, 6);
    const int mid = p.y + h_px / 2;
    struct row {
        const char* state;
        bool focused, pressed;
        uint32_t border, ground;
    };
    const row rows[] = {
        {"plain", false, false, 0xFF0000, 0xF0F0F0},
        {"focused", true, false, 0x00FF00, 0xC0C0FF},
        {"pressed", true, true, 0x0000FF, 0xC0C0FF},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.state);
        b->hyperlink->set_focused(r.focused);
        b->hyperlink->set_pressed(r.pressed);
        repaint();
        EXPECT_EQ(at(p.x + in, mid), r.border);             // left line, inset
        EXPECT_EQ(at(p.x + w_px - 1 - in, mid), r.border);  // right line
        EXPECT_EQ(at(p.x + w_px / 2, p.y + in), r.border);  // top line
        EXPECT_EQ(at(p.x + in - 1, mid), r.ground);         // the ground outside the border
        EXPECT_EQ(at(p.x + w_px / 2, mid + 3), r.ground);
    }
}

// The command bar's texts keep metric 17 from the bar's outer edges, in
// colour 21 (25 when a variable is named like the command).
TEST_F(Painters, CommandBarTextsKeepTheirInset) {
    auto w = screen_named<vux_window>("w");
    w->commandbar.left = command_of("Go", vux_action());
    w->commandbar.right = command_of("Back", vux_action());
    doc_builder doc;
    doc.add(*w);
    show(doc);
    const vux_rect bar = canvas().command_bar_rect();
    const int inset = canvas().metric(17);
    EXPECT_EQ(inset, 12);
    // The test host draws each glyph one pixel in from its cell.
    EXPECT_EQ(leftmost(bar, key_colour(21)), bar.left() + inset + 1);
    EXPECT_EQ(rightmost(bar, key_colour(21)), bar.right() - inset - 2);
}

// A scrolling client takes the room of the bars that are not shown: a title
// bar without a title, an empty command bar and, on a touch screen, a
// touch-hide command bar take none. Without a command bar the window's switch
// keeps a strip free at the bottom: its items' height and twice its margin,
// scaled (20 + 2 x 4 units: 56 pixels here). The client's ground (key 1)
// fills exactly what is left.
TEST_F(Painters, ClientTakesTheRoomOfTheBarsNotShown) {
    struct row {
        const char* name;
        bool title, bar, touch_hide, with_switch;
        bool to_title_bar, to_command_bar;  // the client's top, bottom
        int bottom_strip;                   // kept free without a command bar
    };
    const row rows[] = {
        {"both bars", true, true, false, false, true, true, 0},
        {"title only", true, false, false, false, true, false, 0},
        {"title and switch", true, false, false, true, true, false, 56},
        {"command bar only", false, true, false, true, false, true, 0},
        {"neither, switch", false, false, false, true, false, false, 56},
        {"touch-hide bar", true, true, true, true, true, false, 56},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        TearDown();
        SetUp();
        // The host's picture (and its clip) outlive the engine: start white.
        canvas().clip(canvas().screen_rect());
        canvas().call(&vux_graphics_table::clear, 0x00FFFFFFu);
        host.capabilities = r.touch_hide ? 1 : 0;
        auto w = screen_named<vux_window>("w");
        w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        if (r.title) w->titlebar.title = vux_unicode(u"Title");
        if (r.bar) w->commandbar.left = command_of("Go", vux_action());
        w->commandbar.value_3 = r.touch_hide ? 1 : 0;
        vux_switch sw;
        sw.name = vux_string("tabs");
        const int32_t values[] = {0, 290, 240, 30, 60, 20, 1, 0, 4, 0, 0, -1, -1};
        std::copy(std::begin(values), std::end(values), sw.values.begin());
        sw.commands.append(command_of("one", vux_action()));
        if (r.with_switch) w->third = vux_string("tabs");
        doc_builder doc;
        doc.add(sw).add(*w);
        show(doc);
        const int top = r.to_title_bar ? canvas().title_bar_height() : 0;
        const int bottom = r.to_command_bar ? canvas().command_bar_rect().top() : 640 - r.bottom_strip;
        const uint32_t ground = key_colour(1);
        EXPECT_EQ(at(10, top), ground);
        EXPECT_EQ(at(10, bottom - 1), ground);
        if (top > 0) {
            EXPECT_NE(at(10, top - 1), ground);
        }
        if (bottom < 640) {
            EXPECT_NE(at(10, bottom), ground);
        }
    }
}

// A title wider than the bar is cut and completed with the ellipsis text,
// within metric 16 of each side, in colour 15.
TEST_F(Painters, LongTitleIsCutWithTheEllipsis) {
    auto w = screen_named<vux_window>("w");
    w->titlebar.title = vux_unicode(std::u16string(60, u'T'));
    w->titlebar.value = 1;
    vux_resource texts;
    texts.pairs.append_cstr("__key_ellipsis");
    texts.pairs.append_cstr("~~~");
    doc_builder doc;
    doc.add(texts).add(*w);
    show(doc);
    const vux_rect strip = canvas().title_bar_rect();
    const int side = canvas().metric(16);
    EXPECT_EQ(side, 2 * 7);
    EXPECT_EQ(leftmost(strip, key_colour(15)), side + 1);
    const int right = rightmost(strip, key_colour(15));
    EXPECT_LE(right, strip.right() - side);
    const vux_unicode& shown = window().titlebar.display_cache;
    ASSERT_GT(shown.length(), 3);
    EXPECT_EQ(std::u16string(shown.units() + shown.length() - 3, 3), u"~~~");
    EXPECT_LT(shown.length(), 60);
}

// The vertical track is filled in colour 28 without its texture, and the
// thumb over it in the text colour (key 6), not in the track's.
TEST_F(Painters, ScrollBarThumbInItsOwnColour) {
    auto w = screen_named<vux_window>("w");
    w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    for (int i = 0; i < 60; ++i) w->client.paragraphs.append(paragraph_of(text_segment(u"line")));
    doc_builder doc;
    doc.add(*w);
    show(doc);
    vux_element_scrollbar& bar = *window().client.scroll_bar;
    ASSERT_TRUE(bar.content_taller());
    const vux_rect track = canvas().scroll_track(canvas().client_rect(), true, false);
    EXPECT_EQ(track.width(), canvas().metric(1));
    const vux_rect thumb = bar.thumb_v;
    ASSERT_FALSE(thumb.is_empty());
    const int x = track.left() + track.width() / 2;
    EXPECT_EQ(at(x, thumb.top() + 1), key_colour(6));
    EXPECT_EQ(at(x, track.bottom() - 2), key_colour(28));
}

// A switch lays its items out from its integers (scaled): the selected item
// is filled in its state colour, and an item's badge is a red box of
// scale(13) centred on the item's top right corner.
TEST_F(Painters, SwitchItemsFillsAndBadges) {
    vux_switch sw;
    sw.name = vux_string("tabs");
    const int32_t values[] = {0, 200, 240, 40, 60, 40, 1, 0, 0, 0, 0, 0x00102030, 0x00123456};
    std::copy(std::begin(values), std::end(values), sw.values.begin());
    for (const char* label : {"one", "two"}) sw.commands.append(command_of(label, vux_action()));
    static_cast<vux_element_command*>(sw.commands.get(0))->badge = vux_string("count");
    auto w = screen_named<vux_window>("w");
    w->third = vux_string("tabs");
    w->value_4 = 0;
    doc_builder doc;
    doc.add(sw).add(*w);
    show(doc);
    vux_action count = action_of(set_step("count", "3"));
    m().runner().run(count);
    repaint();
    auto* one =
        static_cast<vux_element_command*>(static_cast<vux_switch*>(m().document().switches.get(0))->commands.get(0));
    auto* two =
        static_cast<vux_element_command*>(static_cast<vux_switch*>(m().document().switches.get(0))->commands.get(1));
    EXPECT_TRUE(one->rect.equals(vux_rect(0, 400, 120, 80)));
    EXPECT_TRUE(two->rect.equals(vux_rect(120, 400, 120, 80)));
    EXPECT_EQ(at(20, 460), 0x123456u);   // the selected item's fill
    EXPECT_NE(at(140, 460), 0x123456u);  // the other is not filled
    const int half = canvas().scale(13) / 2;
    EXPECT_EQ(at(120 - half + 3, 400 - half + 3), 0xEF0000u);  // the badge, over the corner
    EXPECT_NE(at(120 + half + 2, 400 - half + 3), 0xEF0000u);
}

// A link segment: focused it is underlaid in colour 39 with its text in 37;
// with bit 8 it is filled in 57, lettered in 60 and shadowed in 41.
TEST_F(Painters, LinkSegmentColours) {
    struct row {
        const char* name;
        bool focused;
        int32_t bits;
        std::vector<int32_t> keys;  // the colours that show
        std::vector<int32_t> not_keys;
    };
    const row rows[] = {
        {"plain", false, 0, {36}, {37, 39, 57}},
        {"focused", true, 0, {37, 39}, {36, 57}},
        {"filled", false, 1 << 8 | 1 << 12, {57, 60, 41}, {36, 39}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        TearDown();
        SetUp();
        auto w = screen_named<vux_window>("w");
        w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        auto s = text_segment(u"linked text");
        s->hyperlink = std::make_unique<vux_hyperlink>();
        s->hyperlink->flags |= r.bits;
        w->client.paragraphs.append(paragraph_of(std::move(s)));
        doc_builder doc;
        doc.add(*w);
        show(doc);
        auto* seg = static_cast<vux_element_segment*>(
            static_cast<vux_element_paragraph*>(window().client.paragraphs.get(0))->children.get(0));
        seg->hyperlink->set_focused(r.focused);
        repaint();
        const vux_rect c = canvas().screen_rect();  // no bars: the client is the screen
        for (int32_t key : r.keys) EXPECT_GE(leftmost(c, key_colour(key)), 0) << key;
        for (int32_t key : r.not_keys) EXPECT_EQ(leftmost(c, key_colour(key)), -1) << key;
    }
}
