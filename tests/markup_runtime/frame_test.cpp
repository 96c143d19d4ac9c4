// The element clocks and the passes of each frame, driven by engine ticks:
// paragraph countdowns, box animation, link blink, the waiter's dots, the
// checked state of "keym" boxes and a title that follows its variable.
#include <functional>
#include "markup/model/vux_action_scroll.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_box_aux.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup_model/animated_gif.h"
#include "screens_fixture.h"

namespace {

// Window "w" with one paragraph "p" holding one box; the test shapes both
// before the window is shown.
struct Clocks : screens_fixture {
    void show(std::unique_ptr<vux_element_paragraph> p, const char* title_key = "", const vux_data* picture = nullptr) {
        auto w = screen_named<vux_window>("w");
        w->titlebar.key = vux_string(title_key);
        w->client.paragraphs.append(std::move(p));
        doc_builder doc;
        if (picture) doc.add(*picture);
        start(doc.add(*w).done());
        run(action_of(show_step(1, 2, "w")));
    }
    static std::unique_ptr<vux_element_paragraph> paragraph_with(std::unique_ptr<vux_object> child) {
        auto p = std::make_unique<vux_element_paragraph>();
        p->name = vux_string("p");
        p->children.append(std::move(child));
        return p;
    }
    static std::unique_ptr<vux_element_box> box(const char16_t* text) {
        auto b = std::make_unique<vux_element_box>();
        b->width = 100;
        b->height = 30;
        b->text.text = vux_unicode(text);
        return b;
    }
    vux_window& window() { return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w"))); }
    vux_element_paragraph& paragraph() { return *window().client.paragraph(0); }
    vux_element_box& the_box() { return *paragraph().children.get_as<vux_element_box>(0); }
    size_t placed() {
        vux_layout* l = window().client.current_layout();
        return l ? l->items.size() : 0;
    }
};

}  // namespace

// The countdown counts clock periods: one on each seventh tick; the
// paragraph expires on the last and the repaint that follows hides it. A
// paragraph whose condition fails is hidden before the window's first
// layout, and one whose condition holds stays.
TEST_F(Clocks, ParagraphsHideByCountdownAndByCondition) {
    struct row {
        int32_t countdown;
        int32_t condition;  // its operator, -1 none (0 holds, 99 fails)
        int32_t ticks;
        bool first, shown;  // on the first frame, after the ticks
    };
    const row rows[] = {{1, -1, 6, true, true},   {1, -1, 7, true, true},   {1, -1, 8, true, false},
                        {2, -1, 8, true, true},   {2, -1, 15, true, false}, {0, -1, 30, true, true},
                        {0, 99, 0, false, false}, {0, 99, 8, false, false}, {0, 0, 8, true, true}};
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << "countdown " << r.countdown << ", condition " << r.condition << ", "
                                        << r.ticks << " ticks");
        TearDown();
        SetUp();
        auto b = box(u"soon gone");
        b->hyperlink = std::make_unique<vux_hyperlink>();  // placed as an item
        auto p = paragraph_with(std::move(b));
        p->countdown = r.countdown;
        if (r.condition >= 0) {
            p->guard = std::make_unique<vux_condition_list>();
            p->guard->add().op = r.condition;
        }
        show(std::move(p));
        EXPECT_EQ(paragraph().flag(vux_element_paragraph::shown_bit), r.first);
        ASSERT_EQ(placed(), r.first ? 1u : 0u);
        ticks(1, r.ticks);
        EXPECT_EQ(paragraph().flag(vux_element_paragraph::shown_bit), r.shown);
        EXPECT_EQ(placed(), r.shown ? 1u : 0u);
    }
}

// An animated box advances its frame on the clock and asks for a repaint;
// the repaint takes the next tick, so the frame moves every other tick.
TEST_F(Clocks, AnimatedBoxesAdvanceAndRepaint) {
    auto b = box(u"");
    b->set_property(vux_string("animation"), vux_string("yes"));
    b->image = vux_string("pic");
    show(paragraph_with(std::move(b)));
    host.clear_log();
    ticks(1, 6);
    EXPECT_EQ(the_box().frame, 3);
    EXPECT_EQ(host.count("graphics.repaint"), 3);

    // Without an image there is nothing to animate: no repaint is asked for.
    TearDown();
    SetUp();
    auto still = box(u"");
    still->set_property(vux_string("animation"), vux_string("yes"));
    show(paragraph_with(std::move(still)));
    host.clear_log();
    ticks(1, 6);
    EXPECT_EQ(the_box().frame, 0);
    EXPECT_EQ(host.count("graphics.repaint"), 0);
}

// An animated picture shows the frame its clock reached, handed to the host
// as the frame's bytes without a name: a box's image, an image element and a
// segment's icon alike. The clock moves the frame every other tick (the
// repaint takes the tick between), and the frames come round again.
TEST_F(Clocks, AnimatedPicturesShowTheFrameTheClockReached) {
    vux_data pic, split;
    const std::string gif = model_test::animated_gif(3);
    for (vux_data* d : {&pic, &split}) {
        d->name = vux_string("pic");
        d->flags = 1 | 4;  // drawable from its bytes, split into frames
        d->format = 1;
        d->bytes.assign_bytes(gif.data(), int32_t(gif.size()));
    }
    ASSERT_TRUE(split.split_frames());
    ASSERT_EQ(split.frame_count(), 3);
    auto frame_drawn = [&](int32_t k) {
        return "graphics.image null 0 " + std::to_string(split.frame(k).length()) + " 0 0 0";
    };
    struct row {
        const char* kind;
        std::function<std::unique_ptr<vux_object>()> make;
    };
    const row rows[] = {
        {"box",
         [] {
             auto b = box(u"");
             b->set_property(vux_string("animation"), vux_string("yes"));
             b->image = vux_string("pic");
             return std::unique_ptr<vux_object>(std::move(b));
         }},
        {"image",
         [] {
             auto im = std::make_unique<vux_element_image>();
             im->set_property(vux_string("animation"), vux_string("yes"));
             im->name = vux_string("face");  // the element's name, not its picture
             im->primary = vux_string("pic");
             im->width = 20;
             im->height = 20;
             return std::unique_ptr<vux_object>(std::move(im));
         }},
        {"segment icon",
         [] {
             auto s = std::make_unique<vux_element_segment>();
             s->text.text = vux_unicode(u"go");
             s->icon = std::make_unique<vux_icon>();
             s->icon->flags = 2;  // animated
             s->icon->name = vux_string("pic");
             return std::unique_ptr<vux_object>(std::move(s));
         }},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.kind);
        TearDown();
        SetUp();
        host.clear_log();  // the host outlives the engine: no row sees the last one's calls
        show(paragraph_with(r.make()), "", &pic);
        const std::vector<std::string> shown = host.calls("graphics.image");
        EXPECT_FALSE(shown.empty());
        for (const std::string& call : shown) EXPECT_EQ(call, frame_drawn(0));
        int t = 1;
        for (int32_t k : {1, 2, 0}) {
            host.clear_log();
            ticks(t, 2);
            t += 2;
            EXPECT_EQ(host.calls("graphics.image"), std::vector<std::string>{frame_drawn(k)}) << "frame " << k;
        }
    }
}

// A blinking link (state bit 3) turns its bit 7 over once a clock period;
// the waiter's dots cycle 2, 1, 0 with every clock call.
TEST_F(Clocks, LinksBlinkOnThePeriodAndWaiterDotsRoll) {
    auto b = box(u"wait...");
    b->set_property(vux_string("waiter"), vux_string("yes"));
    b->hyperlink = std::make_unique<vux_hyperlink>();
    b->hyperlink->flags |= 1 << 3;
    show(paragraph_with(std::move(b)));
    ASSERT_TRUE(the_box().aux);
    struct row {
        int32_t tick;
        int32_t roll;
        bool bit_7;
    };
    // Tick 1 runs the clocks (roll 2); tick 2 repaints; and so on. Tick 7
    // is a clock period.
    const row rows[] = {{1, 2, false}, {2, 2, false}, {3, 1, false}, {4, 1, false},
                        {5, 0, false}, {6, 0, false}, {7, 2, true},  {8, 2, true}};
    for (const row& r : rows) {
        SCOPED_TRACE(r.tick);
        vux_engine_tick(e, r.tick);
        ASSERT_TRUE(the_box().aux);
        EXPECT_EQ(the_box().aux->roll, r.roll);
        EXPECT_EQ(the_box().link()->bit(7), r.bit_7);
    }
}

// The frame's passes: a "keym" box takes its checked state and the title
// its variable's value at the next paint.
TEST_F(Clocks, CheckedBoxesAndTitlesFollowTheirVariables) {
    auto b = box(u"x");
    b->key_mark = vux_string("k");
    b->index = 2;
    show(paragraph_with(std::move(b)), "t");
    struct row {
        const char* k;
        bool checked;
    };
    const row rows[] = {{"00000004", true}, {"00000003", false}, {"0010", true}, {"0100", false}};
    for (const row& r : rows) {
        SCOPED_TRACE(r.k);
        run(action_of(set_step("k", r.k), set_step("t", r.k)));
        EXPECT_EQ(the_box().flag(vux_element_box::checked_bit), r.checked);
        EXPECT_EQ(window().titlebar.title.to_utf8_string().str(), r.k);
    }
}

namespace {

// Window "w" whose scrolling client holds 30 paragraphs "p0".."p29", each
// one box "b" 30 high; the fourth paragraph's box is a password box that
// follows "pw".
struct Scrolling : Clocks {
    void SetUp() override {
        Clocks::SetUp();
        auto w = screen_named<vux_window>("w");
        w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        for (int i = 0; i < 30; ++i) {
            auto b = box(u"x");
            b->name = vux_string("b");
            if (i == 3) {
                b->text.key = vux_string("pw");
                b->set_property(vux_string("password"), vux_string("yes"));
            }
            auto p = paragraph_with(std::move(b));
            p->name = vux_string(("p" + std::to_string(i)).c_str());
            w->client.paragraphs.append(std::move(p));
        }
        start(doc_builder().add(*w).done());
        run(action_of(set_step("pw", "secret"), show_step(1, 2, "w")));
    }
    int32_t offset() { return window().client.scroll_bar->y_offset; }
    // The top of the thumb drawn for the offset: the track's top plus
    // H x Y / (K + H - V), H being the track's height, K the content's, V the
    // view's and Y the offset.
    int32_t thumb_top_wanted() {
        const vux_element_scrollbar& bar = *window().client.scroll_bar;
        const int64_t h = bar.track_v.height();
        return int32_t(bar.track_v.top() + h * bar.y_offset / (int64_t(bar.content_height) + h - bar.view_height));
    }
};

}  // namespace

// A scroll step in mode 0 names where the next paint scrolls to: the top of
// the named element of the named paragraph.
TEST_F(Scrolling, ScrollStepTargetsTakeEffectAtTheNextPaint) {
    ASSERT_EQ(offset(), 0);
    auto s = std::make_unique<vux_action_scroll>();
    s->window = vux_string("w");
    s->paragraph = vux_string("p10");
    s->element = vux_string("b");
    run(action_of(std::move(s)));
    EXPECT_EQ(offset(), 10 * 30);
    EXPECT_TRUE(window().client.target_paragraph.empty());
    EXPECT_TRUE(window().client.target_element.empty());
}

// With a mode, the step scrolls by its amount: from where the content stands,
// or from the top of the named paragraph when that is shown; never past
// either end.
TEST_F(Scrolling, ScrollStepMovesByItsAmountFromTheContentOrTheParagraph) {
    const vux_element_scrollbar& bar = *window().client.scroll_bar;
    const int32_t most = bar.content_height - bar.view_height;
    ASSERT_GT(most, 400);
    struct {
        int32_t mode, amount;
        const char* paragraph;
        int32_t expected;
    } cases[] = {
        {1, 60, "", 60},        // from the current offset
        {2, -100, "", 0},       // not above the top
        {1, 15, "p10", 315},    // from the paragraph's top (ten boxes of 30)
        {1, 30, "nope", 345},   // no such paragraph: from the current offset
        {3, -1000, "p5", 0},    // from a paragraph, still not above the top
        {1, 100000, "", most},  // nor past the bottom
        {0, 0, "", most},       // mode 0 without names moves nothing
    };
    for (const auto& c : cases) {
        auto s = std::make_unique<vux_action_scroll>();
        s->window = vux_string("w");
        s->mode = c.mode;
        s->amount = c.amount;
        s->paragraph = vux_string(c.paragraph);
        run(action_of(std::move(s)));
        EXPECT_EQ(offset(), c.expected) << c.mode << " " << c.amount << " " << c.paragraph;
        // The thumb follows the step.
        ASSERT_FALSE(bar.thumb_v.is_empty());
        EXPECT_EQ(bar.thumb_v.top(), thumb_top_wanted()) << c.mode << " " << c.amount << " " << c.paragraph;
    }
}

// The content follows the pointer the whole way, with or without a
// password box: the unchanged stars do not lay the client out again.
TEST_F(Scrolling, ADragMovesTheContentAsFarAsThePointer) {
    ASSERT_EQ(window().client.paragraph(3)->children.get_as<vux_element_box>(0)->text.text.to_utf8_string().str(),
              "******");
    window().client.current_layout()->reach_limit = 1;  // marks this layout
    press(100, 200);
    for (int y = 190; y >= 100; y -= 10) move(100, y);
    EXPECT_EQ(offset(), 100);
    release(100, 100);
    ticks(1, 10);
    const vux_element_scrollbar& bar = *window().client.scroll_bar;
    EXPECT_EQ(bar.thumb_v.top(), thumb_top_wanted());             // the thumb followed the drag
    run(action_of(set_step("other", "1")));                       // repaints with the frame's passes
    EXPECT_EQ(window().client.current_layout()->reach_limit, 1);  // never laid out again
    key(13);                                                      // a line down, as a turn of the wheel gives it
    EXPECT_EQ(offset(), 100 + bar.row);
    EXPECT_EQ(bar.thumb_v.top(), thumb_top_wanted());
}
