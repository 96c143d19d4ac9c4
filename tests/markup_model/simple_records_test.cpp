// The simple records: brush, icon, overtime, condition list, function,
// extent and switch.
#include <gtest/gtest.h>
#include <climits>
#include "core/vux_type_codes.h"
#include "markup/model/vux_brush.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_extent.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_icon.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_placed_item.h"
#include "markup/model/vux_switch.h"
#include "markup_model/model_test_support.h"

using model_test::bytes_of;

namespace {

TEST(Brush, KeysAreSignedBytesAndSetNeverOverflows) {
    vux_brush b;
    b.set(130, 0x123456);
    EXPECT_EQ(b.index_of(-126), 0);
    EXPECT_EQ(b.index_of(130), -1);
    b.set(130, 0x654321);  // the same stored key: replaced, not appended
    EXPECT_EQ(b.entries.count(), 1);

    // Keys and values outside their bits are masked, never shifted into overflow.
    b.clear();
    b.set(255, -1);
    b.set(7, 0x7FFFFFFF);
    EXPECT_EQ(b.entries.get(0), int32_t(0xFFFFFFFF));
    EXPECT_EQ(b.entries.get(1), 0x07FFFFFF);
    int32_t v = 0;
    EXPECT_TRUE(b.get(-1, v));
    EXPECT_EQ(v, 0xFFFFFF);
    EXPECT_FALSE(b.get(8, v));
    EXPECT_EQ((bytes_of(b)), (std::vector<uint8_t>{0, 0, 0, 2, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0xFF, 0xFF, 0xFF}));

    vux_brush other;
    other.set(7, 1);
    other.set(9, 2);
    b.merge(other);
    EXPECT_EQ(b.entries.count(), 3);
    EXPECT_TRUE(b.get(7, v));
    EXPECT_EQ(v, 1);
    b.merge(b);  // merging itself changes nothing
    EXPECT_EQ(b.entries.count(), 3);
}

TEST(Icon, ScaleAndSide) {
    struct row {
        int32_t numerator, denominator, growth, line, spacing, margin_px;
        int32_t a, scale, side;
    };
    const row rows[] = {
        {3, 0, 0, 10, 0, 0, 10, 10, 10},                // denominator 0: unscaled
        {0, 4, 0, 10, 0, 0, 10, 10, 10},                // numerator 0: unscaled
        {3, 2, 0, 10, 2, 1, 10, 15, 17},                // 10 * 3 / 2 + 2 * 1
        {1, 1, 50, 20, 5, 0, 20, 20, 25},               // row 30: grows by 10 * 20 * 50 / 2000 = 5
        {1, 1, 50, 0, 5, 2, 0, 0, 4},                   // line height 0: no growth, no division
        {INT_MAX, 1, 0, 2, 0, 0, 2, INT_MAX, INT_MAX},  // saturates instead of overflowing
        {INT_MIN, -1, 0, 1, 0, 0, 1, INT_MAX, INT_MAX},
        {1, 1, INT_MAX, 1, INT_MAX, INT_MAX, 1, 1, INT_MAX},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.numerator);
        vux_icon icon;
        icon.numerator = r.numerator;
        icon.denominator = r.denominator;
        icon.growth = r.growth;
        EXPECT_EQ(icon.scale(r.a), r.scale);
        EXPECT_EQ(icon.side(r.line, r.spacing, r.margin_px), r.side);
    }
}

TEST(Overtime, TicksResetsAndRemaining) {
    vux_overtime o;
    o.limit = 3;
    EXPECT_FALSE(o.tick());
    EXPECT_FALSE(o.tick());
    EXPECT_EQ(o.remaining(), 1);
    EXPECT_TRUE(o.tick());
    EXPECT_EQ(o.remaining(), 0);
    o.repeat = 0;
    o.reset(false);
    EXPECT_EQ(o.counter, 3);
    o.reset(true);
    EXPECT_EQ(o.counter, 0);
    o.stopped = 1;
    EXPECT_FALSE(o.tick());
    vux_overtime never;
    never.limit = 0;
    EXPECT_FALSE(never.tick());
    EXPECT_EQ(never.counter, 0);
}

TEST(ConditionList, WritesCodedItemsAndFindsNames) {
    vux_condition_list list;
    list.add().name = vux_string("a");
    list.add().name = vux_string("bb");
    const std::vector<uint8_t> expect = {
        0, 0, 0,    2,                                                                        // count
        0, 0, 0x03, 0xE9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 'a', 0,   0, 0, 0,  // 1001, first
        0, 0, 0x03, 0xE9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 'b', 'b', 0, 0, 0, 0};
    EXPECT_EQ(bytes_of(list), expect);
    EXPECT_TRUE(list.refers_to(vux_string("bb")));
    EXPECT_FALSE(list.refers_to(vux_string("b")));
}

TEST(Function, LabelAndName) {
    struct row {
        const char *name, *title;
        std::vector<uint8_t> label;
    };
    const row rows[] = {
        {"", "t", {}},
        {"f", "", {0, 0, 0, 1, 'f'}},
        {"f", "t", {0, 0, 0, 4, 'f', ':', ' ', 't'}},
    };
    for (const row& r : rows) {
        vux_function f;
        f.name = vux_string(r.name);
        f.title = vux_string(r.title);
        vux_buffer b;
        vux_writer w(b);
        f.write_label(w);
        EXPECT_EQ(std::vector<uint8_t>(b.data(), b.data() + b.length()), r.label) << r.name << r.title;
    }
    vux_function f;
    f.name = vux_string("go");
    EXPECT_TRUE(f.matches("go"));
    EXPECT_FALSE(f.matches("g"));
}

TEST(Extent, KeysAndValues) {
    vux_extent e;
    e.entries.append(int32_t(0x85ABCDEF));
    EXPECT_EQ(e.count(), 1);
    EXPECT_EQ(e.key_at(0), -123);
    EXPECT_EQ(e.value_at(0), 0xABCDEF);
    EXPECT_EQ(e.value_at(5), 0);  // outside the list
}

// A switch item with a rectangle, as the canvas places the commands.
struct placed : vux_record, vux_placed_item {
    const char* class_name() const override { return "placed"; }
    void fields(vux_field_visitor&) override {}
    const vux_rect& placed_rect() const override { return rect; }
    vux_rect rect;
};

vux_switch three_items() {
    vux_switch s;
    for (int i = 0; i < 3; ++i) {
        auto item = std::make_unique<placed>();
        if (i != 2) item->rect = vux_rect(i * 10, 0, 10, 10);  // item 2 stays empty
        s.commands.append(std::move(item));
    }
    return s;
}

TEST(Switch, PressReleaseAndPressedItem) {
    vux_switch s = three_items();
    s.current = 0;
    EXPECT_FALSE(s.press(vux_point(5, 5)));  // the current item presses nothing
    EXPECT_EQ(s.pressed, -1);
    EXPECT_TRUE(s.press(vux_point(15, 5)));
    EXPECT_EQ(s.pressed, 1);
    EXPECT_EQ(s.pressed_item_at(vux_point(15, 5)), s.commands.get(1));
    EXPECT_EQ(s.pressed_item_at(vux_point(50, 5)), nullptr);
    EXPECT_FALSE(s.release(vux_point(15, 5)));  // still on it: the press stays
    EXPECT_EQ(s.pressed, 1);
    EXPECT_TRUE(s.release(vux_point(50, 50)));
    EXPECT_EQ(s.pressed, -1);
    EXPECT_FALSE(s.release(vux_point(50, 50)));

    EXPECT_TRUE(s.press(vux_point(15, 5)));
    EXPECT_TRUE(s.press(vux_point(90, 90)));  // a miss clears the press
    EXPECT_EQ(s.pressed, -1);

    // An item with an empty rectangle is never hit, and releasing it always clears.
    s.pressed = 2;
    EXPECT_EQ(s.pressed_item_at(vux_point(0, 0)), nullptr);
    EXPECT_TRUE(s.release(vux_point(0, 0)));
    s.pressed = 7;  // not an item
    EXPECT_FALSE(s.release(vux_point(0, 0)));
    EXPECT_EQ(s.pressed_item_at(vux_point(0, 0)), nullptr);
}

TEST(Switch, DefaultsAndName) {
    vux_switch s;
    EXPECT_EQ(s.values[6], 1);
    EXPECT_EQ(s.values[11], -1);
    EXPECT_EQ(s.values[14], -1);
    s.name = vux_string("tabs");
    EXPECT_TRUE(s.matches("tabs"));
    EXPECT_FALSE(s.matches(nullptr));
}

}  // namespace
