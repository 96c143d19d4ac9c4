#include "emulator/vux_le_slip.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <tuple>
#include <vector>
#include "client/orbel_test_support.h"

namespace {

// The slip's timer needs an application: the one shared by the test program.
QApplication& app = orbel_test_app();

// A slip on a hand-driven clock, recording the engine's drag steps.
struct slip_fixture {
    std::int64_t now = 1'000'000'000'000;  // far past 32 bits
    std::vector<std::tuple<int, int, int>> steps;
    std::vector<int> answers;  // answer of each step; 1 once exhausted
    vux_le_slip slip{[this](int f, int d, int fast) {
                         steps.emplace_back(f, d, fast);
                         return steps.size() <= answers.size() ? answers[steps.size() - 1] : 1;
                     },
                     16, [this] { return now; }};

    void drag(int from, int to, std::int64_t ms) {
        slip.press(from);
        now += ms;
        slip.release(to);
    }
};

TEST(Slip, fling_needs_thirty_pixels_per_hundred_ms_and_the_threshold) {
    struct row {
        int from, to;
        std::int64_t ms;
        bool flings;
        int direction, fast;
    } rows[] = {
        {100, 130, 100, true, 1, 0},   // 30 px in 100 ms
        {100, 130, 101, false, 0, 0},  // 30 * 100 / 101 = 29
        {100, 115, 1, false, 0, 0},    // under the 16 px threshold
        {200, 152, 0, true, 0, 1},     // upwards, at 3 x threshold, same tick
        {200, 153, 50, true, 0, 0},    // 47 px: under 3 x threshold
    };
    for (const row& r : rows) {
        slip_fixture f;
        f.drag(r.from, r.to, r.ms);
        EXPECT_EQ(f.slip.flinging(), r.flings) << r.from << "->" << r.to << " in " << r.ms;
        if (!r.flings) continue;
        f.slip.step();
        ASSERT_EQ(f.steps.size(), 1u);
        EXPECT_EQ(f.steps[0], std::make_tuple(1, r.direction, r.fast));
    }
}

TEST(Slip, old_start_sample_is_replaced_by_the_next_move) {
    slip_fixture f;
    f.slip.press(0);
    f.now += 501;
    f.slip.move(100);  // the press is too old: the window restarts here
    f.now += 100;
    f.slip.release(130);
    EXPECT_TRUE(f.slip.flinging());  // 30 px in 100 ms from the move, not 130 in 601

    slip_fixture g;
    g.slip.press(0);
    g.now += 500;
    g.slip.move(10);  // 500 ms is still inside the window
    g.now += 1000;
    g.slip.release(130);
    EXPECT_FALSE(g.slip.flinging());  // 130 px over 1500 ms
}

TEST(Slip, steps_go_on_until_the_engine_says_zero) {
    slip_fixture f;
    f.answers = {1, 1, 0};
    f.drag(0, 200, 100);
    for (int i = 0; i < 5 && f.slip.flinging(); ++i) f.slip.step();
    ASSERT_EQ(f.steps.size(), 3u);
    EXPECT_EQ(std::get<0>(f.steps[0]), 1);
    EXPECT_EQ(std::get<0>(f.steps[1]), 0);
    EXPECT_FALSE(f.slip.flinging());
    f.slip.step();  // a stray timer event after the end does nothing
    EXPECT_EQ(f.steps.size(), 3u);
}

TEST(Slip, press_or_stop_ends_a_fling) {
    slip_fixture f;
    f.drag(0, 200, 100);
    ASSERT_TRUE(f.slip.flinging());
    f.slip.press(50);
    EXPECT_FALSE(f.slip.flinging());
    f.slip.step();
    EXPECT_TRUE(f.steps.empty());

    f.slip.release(50);
    f.drag(0, 200, 100);
    f.slip.stop();
    EXPECT_FALSE(f.slip.flinging());
}

TEST(Slip, the_timer_drives_the_steps) {
    slip_fixture f;
    f.answers = {1, 0};
    f.drag(0, 200, 100);
    QDeadlineTimer deadline(5000);
    while (f.slip.flinging() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(f.steps.size(), 2u);
}

}  // namespace
