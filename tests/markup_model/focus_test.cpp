#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "fake_layout.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_hyperlink.h"

using model_test::fake_layout;

namespace {

// Boxes placed by hand on rows of a 240 x 320 view; each is 24 high.
struct boxes {
    fake_layout layout;
    std::vector<std::unique_ptr<vux_element_box>> owned;

    // With `linked` false the box has no hyperlink.
    vux_element_box& place(const char16_t* text, int32_t left, int32_t width, int32_t row_y, bool linked = true) {
        auto b = std::make_unique<vux_element_box>();
        b->text.text = vux_unicode(text);
        b->left = left;
        b->width = width;
        if (linked) b->hyperlink = std::make_unique<vux_hyperlink>();
        b->measure(layout, row_y, nullptr);  // a placed box joins the items itself
        owned.push_back(std::move(b));
        return *owned.back();
    }
    int32_t focused() const { return layout.find_focused_item(); }
};

}  // namespace

TEST(LayoutFocus, EmptyLayoutAnswersFalse) {
    fake_layout l;
    EXPECT_FALSE(l.focus_down());
    EXPECT_FALSE(l.focus_up());
    EXPECT_FALSE(l.focus_right());
    EXPECT_FALSE(l.focus_left());
    EXPECT_EQ(l.hit_test(vux_point(1, 1)), -1);
    EXPECT_EQ(l.focused_item_target(false), nullptr);
    EXPECT_EQ(l.find_pressed_target(), nullptr);
    l.restore_focus();
    EXPECT_EQ(l.focus_index, -1);
}

TEST(LayoutFocus, ArrowMovesByRowAndNearestX) {
    boxes f;
    f.place(u"a", 50, 40, 0);           // 0
    f.place(u"c", 10, 40, 40);          // 1: 40 from a's x
    f.place(u"d", 90, 40, 40);          // 2: 40 from a's x too
    f.place(u"x", 200, 30, 40, false);  // 3: no hyperlink, never focused
    f.layout.restore_focus();
    EXPECT_EQ(f.focused(), 0);
    EXPECT_FALSE(f.layout.focus_up());  // first row: stays
    EXPECT_EQ(f.focused(), 0);
    EXPECT_TRUE(f.layout.focus_down());
    EXPECT_EQ(f.focused(), 1);            // equal distance: the one placed first
    EXPECT_FALSE(f.layout.focus_down());  // last row: stays
    EXPECT_EQ(f.focused(), 1);
    EXPECT_TRUE(f.layout.focus_right());
    EXPECT_EQ(f.focused(), 2);
    EXPECT_FALSE(f.layout.focus_right());  // only the unlinked box lies right
    EXPECT_EQ(f.focused(), 2);
    EXPECT_TRUE(f.layout.focus_up());
    EXPECT_EQ(f.focused(), 0);
    EXPECT_FALSE(f.layout.focus_left());  // nothing left of it on its row
}

// An item without a link is found like any other: placed last, it covers
// a linked one beneath it. Only linked items take a press.
TEST(LayoutFocus, HitTestTakesTheItemPlacedLastLinkedOrNot) {
    boxes f;
    f.place(u"under", 0, 100, 0);
    f.place(u"over", 50, 100, 0);
    f.place(u"plain", 120, 120, 0, false);
    struct row {
        int16_t x, y;
        int32_t item;
    };
    for (const row& r : {row{70, 10, 1}, row{10, 10, 0}, row{130, 10, 2}, row{200, 10, 2}, row{10, 40, -1}}) {
        SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
        EXPECT_EQ(f.layout.hit_test(vux_point(r.x, r.y)), r.item);
    }
    EXPECT_FALSE(f.layout.set_item_pressed(2, true));
    EXPECT_TRUE(f.layout.set_item_pressed(1, true));
    EXPECT_EQ(f.layout.find_pressed_item(), 1);
    f.layout.release_all_pressed();
    EXPECT_EQ(f.layout.find_pressed_item(), -1);
    EXPECT_FALSE(f.layout.is_item_pressed(99));
}

TEST(LayoutFocus, FocusPublishesTheNameAndPairsAndTakesThemBack) {
    boxes f;
    vux_element_box& b = f.place(u"pick me", 0, 100, 0);
    b.hyperlink->target = vux_string("sel");
    b.hyperlink->values.append_cstr("k");
    b.hyperlink->values.append_cstr("v");
    auto& second = f.place(u"wants focus", 0, 100, 40);
    second.hyperlink->flags |= 1 << 15;
    f.layout.restore_focus();  // the take-focus flag wins, and is cleared
    EXPECT_EQ(f.focused(), 1);
    EXPECT_FALSE(second.hyperlink->bit(15));
    f.layout.clear_focus();
    f.layout.calls.clear();
    f.layout.set_focus(0, true);
    f.layout.set_focus(0, false);
    EXPECT_EQ(f.layout.calls, (std::vector<std::string>{"assign sel=pick me", "assign k=v", "remove sel", "remove k"}));
}

// Every placed element joins the items in placement order, once per pass; a
// box with no room is not placed and stays out.
TEST(LayoutFocus, ParagraphPlacesSegmentsBoxesAndImagesAsItems) {
    fake_layout l;
    vux_element_paragraph p;
    auto segment = std::make_unique<vux_element_segment>();
    segment->text.text = vux_unicode(u"text");
    auto box = std::make_unique<vux_element_box>();
    box->width = 100;
    box->height = 20;
    auto squeezed = std::make_unique<vux_element_box>();
    squeezed->width = 10;
    squeezed->margin_left = 20;
    squeezed->height = 20;
    auto image = std::make_unique<vux_element_image>();
    image->width = 30;
    image->height = 30;
    const std::vector<vux_record*> placed{segment.get(), box.get(), image.get()};
    p.children.append(std::move(segment));
    p.children.append(std::move(box));
    p.children.append(std::move(squeezed));
    p.children.append(std::move(image));
    p.measure(l);
    p.measure(l);
    EXPECT_EQ(l.items, placed);
}
