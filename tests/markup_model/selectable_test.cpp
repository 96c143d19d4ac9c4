// Picks, options, subtitles and hyperlinks.
#include <gtest/gtest.h>
#include <climits>
#include <vector>
#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_pick.h"
#include "markup/model/vux_subtitle.h"
#include "markup/model/vux_subtitle_list.h"
#include "markup_model/model_test_support.h"

namespace {

vux_pick pick_of(int32_t n, int32_t selected, int32_t linked = 0) {
    vux_pick p;
    for (int32_t i = 0; i < n; ++i) p.choices.append(vux_string(std::string(1, char('a' + i))));
    p.selected = selected;
    p.linked = linked;
    return p;
}

TEST(Pick, MoveTable) {
    struct row {
        int32_t n, selected;
        bool backward, wrap;
        bool moved;
        int32_t after;
    };
    const row rows[] = {
        {2, 1, false, false, false, 1},  // at the end without wrap
        {2, 1, false, true, true, 0},   {2, 0, true, false, false, 0},
        {2, 0, true, true, true, 1},    {3, 1, true, false, true, 0},
        {3, 1, false, false, true, 2},  {1, 0, false, true, false, 0},  // one choice never moves
        {0, 0, true, true, false, 0},   {3, 9, false, false, true, 0},  // a selection outside the list comes back in
        {3, -4, true, false, true, 2},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.n << "/" << r.selected << (r.backward ? " back" : " fwd"));
        vux_pick p = pick_of(r.n, r.selected);
        EXPECT_EQ(p.move(r.backward, r.wrap), r.moved);
        EXPECT_EQ(p.selected, r.after);
    }
}

TEST(Pick, SelectedTextAndSelectByText) {
    struct row {
        int32_t selected;
        const char* text;
    };
    const row rows[] = {{0, "a"}, {2, "c"}, {3, ""}, {-1, ""}, {INT_MAX, ""}, {INT_MIN, ""}};
    for (const row& r : rows) EXPECT_EQ(pick_of(3, r.selected).selected_text().str(), r.text) << r.selected;

    vux_pick unlinked = pick_of(3, 0);
    EXPECT_FALSE(unlinked.select_text(vux_string("b")));
    vux_pick linked = pick_of(3, 0, 1);
    EXPECT_TRUE(linked.select_text(vux_string("b")));
    EXPECT_EQ(linked.selected, 1);
    EXPECT_FALSE(linked.select_text(vux_string("z")));
    EXPECT_EQ(linked.selected, 1);
}

vux_option option_of() {
    vux_option o;
    o.name = vux_string("colour");
    for (int i = 0; i < 3; ++i) o.picks.add() = pick_of(3, i, 1);
    return o;
}

TEST(Option, PickStepMovesOptionOrPick) {
    vux_option o = option_of();
    vux_action_pick step;  // wrap 1, forward, the selected pick
    EXPECT_TRUE(o.apply_pick_step(step));
    EXPECT_EQ(o.selected, 0);
    EXPECT_EQ(o.selected_text().str(), "b");
    step.whole_option = 1;
    step.backward = 1;
    EXPECT_TRUE(o.apply_pick_step(step));
    EXPECT_EQ(o.selected, 2);
    step.wrap = 0;
    step.backward = 0;
    EXPECT_FALSE(o.apply_pick_step(step));

    vux_buffer b;
    vux_writer w(b);
    o.write_label(w);
    vux_reader r(b);
    vux_string label;
    r.read_string(label);
    EXPECT_EQ(label.str(), "colour: c");

    o.selected = 5;  // off the wire
    EXPECT_EQ(o.selected_text().str(), "");
    step.whole_option = 0;
    EXPECT_FALSE(o.apply_pick_step(step));  // no pick to move
    vux_option empty;
    EXPECT_EQ(empty.selected_text().str(), "");
}

TEST(Option, SelectFromVariable) {
    model_test::variables env;
    vux_option o = option_of();
    o.picks.at(1)->choices = vux_string_list();
    o.picks.at(1)->choices.append(vux_string("red"));
    env.values["colour"] = "red";
    o.select_from_variable(env);
    EXPECT_EQ(o.selected, 0);  // not linked
    o.linked = 1;
    o.select_from_variable(env);
    EXPECT_EQ(o.selected, 1);
    EXPECT_EQ(o.selected_text().str(), "red");
    env.values.clear();
    o.selected = 2;
    o.select_from_variable(env);
    EXPECT_EQ(o.selected, 2);
}

vux_subtitle subtitle_of(std::vector<int32_t> widths, int32_t scrolled) {
    vux_subtitle s;
    for (int32_t w : widths) s.widths.append(w);
    s.scrolled = scrolled;
    return s;
}

TEST(Subtitle, PlaceTable) {
    struct row {
        std::vector<int32_t> widths;
        int32_t view, scrolled;
        bool placed;
        int32_t offset, first, count;
    };
    const row rows[] = {
        {{10, 10, 10}, 25, 35, true, 0, 1, 2},   // character 0 scrolled out exactly
        {{10, 10, 10}, 25, 5, true, 20, 0, 1},   // just coming in
        {{10, 10, 10}, 25, 30, true, -5, 0, 3},  // character 0 partly visible
        {{10, 10, 10}, 25, 0, false, 0, 0, 0},   // nothing scrolled yet
        {{}, 25, 10, false, 0, 0, 0},            // not measured
        {{10, 10, 10}, 25, 60, false, 0, 0, 0},  // scrolled past the end
        {{10}, 25, INT_MAX, false, 0, 0, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.scrolled);
        vux_subtitle s = subtitle_of(r.widths, r.scrolled);
        ASSERT_EQ(s.place(r.view), r.placed);
        if (!r.placed) continue;
        EXPECT_EQ(s.offset, r.offset);
        EXPECT_EQ(s.first_visible, r.first);
        EXPECT_EQ(s.visible_count, r.count);
    }
}

TEST(Subtitle, StepFinishesOnceScrolledOut) {
    vux_subtitle s = subtitle_of({50, 50}, 0);  // total 100, view 30: out past 120
    EXPECT_TRUE(s.step(120, 30));
    EXPECT_TRUE(s.step(0, 30));
    EXPECT_FALSE(s.step(1, 30));
    vux_subtitle unmeasured;
    EXPECT_TRUE(unmeasured.step(1000000, 30));  // never finishes before it is measured
    vux_subtitle far = subtitle_of({1}, INT_MAX - 1);
    EXPECT_FALSE(far.step(INT_MAX, 30));  // no overflow past the end
    EXPECT_EQ(far.scrolled, INT_MAX);
}

std::unique_ptr<vux_subtitle> sub(int32_t priority, int32_t tag, int32_t repeat = 0) {
    auto s = std::make_unique<vux_subtitle>();
    s->priority = priority;
    s->third_value = tag;
    s->repeat = repeat;
    s->widths.append(10);
    return s;
}

TEST(SubtitleList, PriorityOrderAndLifecycle) {
    vux_subtitle_list list;
    list.add(sub(1, 1));
    list.add(sub(5, 2));
    list.add(sub(5, 3));  // equal priority: after the earlier one
    list.add(sub(0, 4));
    EXPECT_EQ(list.current(), nullptr);  // not active
    list.start();
    std::vector<int32_t> order;
    while (vux_subtitle* s = list.current()) {
        order.push_back(s->third_value);
        list.advance(1000, 30);  // scrolls out and is dropped
    }
    EXPECT_EQ(order, (std::vector<int32_t>{2, 3, 1, 4}));

    list.add(sub(0, 7, 1));
    ASSERT_NE(list.current(), nullptr);
    list.advance(5, 30);
    list.stop();  // a repeating subtitle is rewound and kept
    EXPECT_FALSE(list.active());
    list.start();
    ASSERT_NE(list.current(), nullptr);
    EXPECT_EQ(list.current()->scrolled, 0);
    list.add(sub(0, 8));
    list.clear();
    EXPECT_EQ(list.queued(), 0);
    list.start();
    EXPECT_EQ(list.current(), nullptr);
}

TEST(Hyperlink, FlagsAndPressCountdown) {
    vux_hyperlink h;
    EXPECT_EQ(h.flags, 0x5801);
    EXPECT_TRUE(h.bit(0) && h.bit(11) && h.bit(12) && h.bit(14));
    EXPECT_FALSE(h.bit(17));
    EXPECT_FALSE(h.count_down_press(false));
    h.set_pressed(true);
    EXPECT_EQ(h.press_countdown, 2);
    EXPECT_FALSE(h.count_down_press(false));
    EXPECT_TRUE(h.count_down_press(false));
    EXPECT_FALSE(h.count_down_press(false));  // spent
    h.set_pressed(true);
    EXPECT_TRUE(h.count_down_press(true));
    EXPECT_EQ(h.press_countdown, 0);
    h.set_pressed(false);
    EXPECT_FALSE(h.is_pressed());
    h.set_focused(true);
    h.set_bit_7(true);
    EXPECT_TRUE(h.is_focused() && h.bit(7));
    h.mode = 1;
    EXPECT_TRUE(h.mode_is_one());
}

TEST(Hyperlink, TriggerCountsDownWhileTheGuardHolds) {
    model_test::variables env;
    vux_hyperlink h;
    EXPECT_EQ(h.trigger(env), nullptr);  // no action
    h.action = std::make_unique<vux_action>();
    h.action->countdown = 2;
    h.guard = std::make_unique<vux_condition_list>();
    h.guard->add().op = 2;
    h.guard->at(0)->name = vux_string("go");
    EXPECT_EQ(h.trigger(env), nullptr);  // guard fails: nothing used
    EXPECT_EQ(h.action->countdown, 2);
    env.values["go"] = "ok";
    EXPECT_EQ(h.trigger(env), nullptr);
    EXPECT_EQ(h.trigger(env), h.action.get());
    EXPECT_EQ(h.trigger(env), nullptr);  // spent
    EXPECT_EQ(h.action->countdown, 0);
}

}  // namespace
