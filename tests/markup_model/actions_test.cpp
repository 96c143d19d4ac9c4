// Actions, the action queue, the motion step and the steps' own operations.
#include <gtest/gtest.h>
#include <climits>
#include <memory>
#include <string>
#include <vector>
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_font.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_launch.h"
#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_action_music.h"
#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_action_queue.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_data.h"
#include "markup_model/model_test_support.h"

namespace {

std::unique_ptr<vux_action> action_due(int32_t due, int32_t steps = 1) {
    auto a = std::make_unique<vux_action>();
    a->due = due;
    for (int32_t i = 0; i < steps; ++i) a->add_step(std::make_unique<vux_action_command>());
    return a;
}

TEST(ActionQueue, PushReleaseRemainingTable) {
    // Opened by an action with steps at due 0, which the first two releases
    // hand back (null, then the action); then the queue is open and empty.
    vux_action_queue q;
    EXPECT_FALSE(q.is_open());
    q.push(action_due(3));  // closed: dropped
    EXPECT_EQ(q.count(), 0);
    EXPECT_EQ(q.release(), nullptr);
    EXPECT_EQ(q.counter(), -1);

    q.restart_with(action_due(0));
    EXPECT_EQ(q.counter(), 0);
    EXPECT_EQ(q.release(), nullptr);
    EXPECT_NE(q.release(), nullptr);
    EXPECT_EQ(q.counter(), 2);
    EXPECT_EQ(q.remaining(), 0);

    struct op {
        char what;  // 'p' push due, 'r' release (expect action?), 'm' remaining
        int32_t arg;
        int32_t counter_after;
    };
    const op ops[] = {
        {'p', 5, 5},  // into an empty open queue: the counter takes its due
        {'m', 0, 5},  // with one action due at 5 and counter 5: one queued
        {'p', 9, 5},  // a second push leaves the counter
        {'m', 4, 5},  // 9 - 5
        {'r', 0, 6},  // due 5 is not below 5: null, counter moves on
        {'r', 1, 7},  // now it is released
        {'m', 2, 7}, {'r', 0, 8}, {'r', 0, 9}, {'r', 0, 10}, {'r', 1, 11}, {'m', 0, 11},
    };
    for (const op& o : ops) {
        SCOPED_TRACE(std::string(1, o.what) + std::to_string(o.arg));
        if (o.what == 'p') q.push(action_due(o.arg));
        if (o.what == 'r') {
            EXPECT_EQ(q.release() != nullptr, o.arg == 1);
        }
        if (o.what == 'm') {
            int32_t expect = o.arg == 0 ? q.count() : o.arg;
            EXPECT_EQ(q.remaining(), expect);
        }
        EXPECT_EQ(q.counter(), o.counter_after);
    }

    q.restart_with(action_due(4, 0));  // no steps: closed, action dropped
    EXPECT_FALSE(q.is_open());
    q.restart_with(action_due(4));
    EXPECT_EQ(q.counter(), 4);
    q.close();
    EXPECT_EQ(q.count(), 0);
    EXPECT_EQ(q.counter(), -1);
}

TEST(ActionQueue, NegativeDueDoesNotCloseTheQueue) {
    vux_action_queue q;
    q.restart_with(action_due(-3));
    EXPECT_EQ(q.release(), nullptr);  // counter -2
    EXPECT_NE(q.release(), nullptr);  // counter -1 on the way: still open
    EXPECT_TRUE(q.is_open());
    q.push(action_due(1));
    EXPECT_EQ(q.count(), 1);
}

vux_action_motion motion_of(int32_t actions, int32_t start, int32_t limit, int32_t interval) {
    vux_action_motion m;
    for (int32_t i = 0; i < actions; ++i) {
        auto a = std::make_unique<vux_action>();
        a->value_1 = i;  // marks which action came out
        m.actions.append(std::move(a));
    }
    m.start = start;
    m.limit = limit;
    m.interval = interval;
    m.index_variable = vux_string("i");
    return m;
}

TEST(Motion, AdvanceTable) {
    struct row {
        const char* what;
        int32_t actions, start, limit, interval;
        std::vector<int32_t> elapsed;  // one advance each
        std::vector<int32_t> yields;   // action index, or -1 for null
        bool finished;
    };
    const row rows[] = {
        {"documented run", 3, 7, 2, 10, {0, 4, 6, 10}, {1, -1, 2, -1}, true},
        {"limit 0 cycles", 2, 0, 0, 1, {0, 1, 1, 1, 1}, {0, 1, 0, 1, 0}, false},
        {"no actions", 0, 0, 0, 1, {0, 5}, {-1, -1}, true},
        {"negative start", 3, -1, 0, 1, {0, 1}, {2, 0}, false},
        {"start far below", 3, INT_MIN, 0, 1, {0}, {1}, false},  // INT_MIN mod 3 = -2 -> 1
        {"start far above", 4, INT_MAX, 0, 1, {0}, {3}, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        vux_action_motion m = motion_of(r.actions, r.start, r.limit, r.interval);
        model_test::variables env;
        for (size_t k = 0; k < r.elapsed.size(); ++k) {
            vux_action* a = m.advance(r.elapsed[k], env);
            ASSERT_EQ(a ? a->value_1 : -1, r.yields[k]) << "advance " << k;
            if (a) {
                EXPECT_EQ(env.at("i"), std::to_string(a->value_1));
            }
        }
        EXPECT_EQ(m.is_finished(), r.finished);
    }
}

TEST(Steps, SkipCountIsNeverNegative) {
    vux_action_command step;
    const int32_t skips[][2] = {{0, 0}, {3, 3}, {-1, 0}, {INT_MIN, 0}};
    for (auto& s : skips) {
        step.skip = s[0];
        EXPECT_EQ(step.skip_count(), s[1]);
    }
}

TEST(Steps, DefaultsThatAreNotZero) {
    vux_action_property property;
    vux_action_font font;
    vux_action_go go;
    vux_action_music music;
    vux_action_pick pick;
    vux_action action;
    const int32_t got[][2] = {
        {property.screen_kind, 0},
        {property.value_2, 0},
        {property.value_3, 1},
        {property.value_4, 1},
        {property.value_5, 0},
        {font.font, 3},
        {go.send, 1},
        {music.value_1, 1},
        {pick.wrap, 1},
        {action.value_5, -1},
    };
    for (size_t i = 0; i < std::size(got); ++i) EXPECT_EQ(got[i][0], got[i][1]) << i;
    property.screen_kind = 1;
    EXPECT_TRUE(property.targets_window());
}

TEST(Steps, ClearBits) {
    vux_action_clear c;
    c.what = 0x401;  // bits 0 and 10
    EXPECT_EQ(c.bit_10(), 1);
    EXPECT_EQ(c.bit_0(), 1);
    EXPECT_EQ(c.bit_1(), 0);
    EXPECT_EQ(c.bit_9(), 0);
    c.what = -1;
    EXPECT_EQ(c.bit(11), 0);  // only eleven flags
    EXPECT_EQ(c.bit_5(), 1);
}

std::unique_ptr<vux_action_show> show(int32_t kind, int32_t operation, const char* target) {
    auto s = std::make_unique<vux_action_show>();
    s->kind = kind;
    s->operation = operation;
    s->target = vux_string(target);
    return s;
}

TEST(Action, SingleShowTarget) {
    vux_string out;
    vux_action a;
    a.add_step(show(3, 2, "menu"));
    EXPECT_TRUE(a.single_show_target(out));
    EXPECT_EQ(out.str(), "menu");

    vux_action guarded;
    auto s = show(3, 2, "menu");
    s->guard = std::make_unique<vux_condition_list>();
    guarded.add_step(std::move(s));
    EXPECT_FALSE(guarded.single_show_target(out));

    vux_action other_kind;
    other_kind.add_step(show(1, 2, "w"));
    EXPECT_FALSE(other_kind.single_show_target(out));

    vux_action two;
    two.add_step(show(3, 2, "a"));
    two.add_step(show(3, 2, "b"));
    EXPECT_FALSE(two.single_show_target(out));
}

TEST(Action, FillCopyText) {
    vux_action a;
    const char* kinds[][3] = {{"copy", "", ""}, {"copy", "v", ""}, {"copy", "", "kept"}, {"mail", "", ""}};
    for (auto& k : kinds) {
        auto l = std::make_unique<vux_action_launch>();
        l->kind = vux_string(k[0]);
        l->variable = vux_string(k[1]);
        l->argument = vux_string(k[2]);
        a.add_step(std::move(l));
    }
    a.fill_copy_text(vux_unicode(u"\u4e2d!"));
    auto arg = [&](int i) { return static_cast<vux_action_launch*>(a.step_at(i))->argument.str(); };
    EXPECT_EQ(arg(0), "\xe4\xb8\xad!");
    EXPECT_EQ(arg(1), "");
    EXPECT_EQ(arg(2), "kept");
    EXPECT_EQ(arg(3), "");
}

TEST(Action, PendingUploadAndInput) {
    model_test::variables env;
    vux_action a;
    auto guarded = std::make_unique<vux_action_upload>();
    guarded->data_name = vux_string("blocked");
    guarded->guard = std::make_unique<vux_condition_list>();
    guarded->guard->add().op = 2;  // needs "x" defined
    guarded->guard->at(0)->name = vux_string("x");
    a.add_step(std::move(guarded));
    a.add_step(std::make_unique<vux_action_upload>());  // no data name
    auto open = std::make_unique<vux_action_upload>();
    open->data_name = vux_string("photo");
    a.add_step(std::move(open));

    vux_data item;
    EXPECT_EQ(a.find_pending_upload(env), a.step_at(2));
    EXPECT_TRUE(a.take_upload(env, item));
    EXPECT_EQ(item.name.str(), "photo");
    EXPECT_EQ(static_cast<vux_action_upload*>(a.step_at(2))->state, 1);
    EXPECT_FALSE(a.take_upload(env, item));  // taken
    env.values["x"] = "1";
    EXPECT_EQ(a.find_pending_upload(env), a.step_at(0));

    vux_action b;
    auto done = std::make_unique<vux_action_input>();
    done->variable = vux_string("a");
    done->state = 2;
    b.add_step(std::move(done));
    auto input = std::make_unique<vux_action_input>();
    input->variable = vux_string("b");
    b.add_step(std::move(input));
    EXPECT_EQ(b.find_pending_input(env), b.step_at(1));
    EXPECT_TRUE(b.complete_input(env, vux_unicode(u"hi")));
    auto* in = static_cast<vux_action_input*>(b.step_at(1));
    EXPECT_EQ(in->state, 2);
    EXPECT_TRUE(in->result == vux_unicode(u"hi"));
    EXPECT_FALSE(b.complete_input(env, vux_unicode(u"again")));
}

TEST(Action, CloneIsDeep) {
    vux_action a;
    a.add_step(show(3, 2, "m"));
    auto copy = a.clone();
    static_cast<vux_action_show*>(a.step_at(0))->target = vux_string("changed");
    auto* c = static_cast<vux_action*>(copy.get());
    ASSERT_EQ(c->step_count(), 1);
    EXPECT_EQ(static_cast<vux_action_show*>(c->step_at(0))->target.str(), "m");
}

}  // namespace
