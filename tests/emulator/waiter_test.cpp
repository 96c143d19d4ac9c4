#include <gtest/gtest.h>

#include <QSignalSpy>
#include <vector>

#include "client/orbel_test_support.h"
#include "emulator/vux_waiter_window.h"

namespace {

QRgb at(const orbel_client_waiter& w, int x, int y) { return w.image().pixel(x, y); }

bool near(QRgb got, QRgb want, int tolerance = 12) {
    return std::abs(qAlpha(got) - qAlpha(want)) <= tolerance && std::abs(qRed(got) - qRed(want)) <= tolerance &&
           std::abs(qGreen(got) - qGreen(want)) <= tolerance && std::abs(qBlue(got) - qBlue(want)) <= tolerance;
}

void draw(orbel_client_waiter& w, int mode, int value) {
    w.set(mode, value);
    w.render();
}

constexpr QRgb square = 0x96000000, grey = 0xFF5A5A5A, white = 0xFFFFFFFF;

TEST(Waiter, RoundedSquareWithClearCorners) {
    orbel_test_app();
    orbel_client_waiter w;
    draw(w, 2, 0);
    for (auto [x, y] : {std::pair{0, 0}, {79, 0}, {0, 79}, {79, 79}})
        EXPECT_EQ(qAlpha(at(w, x, y)), 0) << x << "," << y;
    EXPECT_EQ(at(w, 40, 40), square);
    EXPECT_EQ(at(w, 40, 2), square);  // straight edge
    EXPECT_TRUE(near(at(w, 40, 15), grey));
}

// The ring at 45, 135, 225 and 315 degrees clockwise from 3 o'clock: 'w'
// where the white arc covers it, 'g' where the grey ring shows. The ring
// keeps the value it was last drawn with, so a 100 whose ring before showed
// no progress (after the spinner, or after 0) draws the grey ring only.
TEST(Waiter, ProgressRingAfterWhatWasDrawnBefore) {
    orbel_test_app();
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> steps;  // (mode, value), the last one probed
        const char* ring;
    } rows[] = {
        {"a quarter", {{2, 25}}, "wggg"},
        {"100 after drawn progress", {{2, 25}, {2, 100}}, "wwww"},
        {"100 right after the spinner", {{1, 0}, {2, 100}}, "gggg"},
        {"100 after the progress fell to 0", {{2, 50}, {2, 0}, {2, 100}}, "gggg"},
        {"100 after 0 from the start", {{2, 0}, {2, 100}}, "gggg"},
        {"progress again after the spinner", {{1, 0}, {2, 100}, {2, 50}}, "wwgg"},
    };
    const std::pair<int, int> probes[] = {{58, 58}, {22, 58}, {22, 22}, {58, 22}};
    for (const auto& r : rows) {
        orbel_client_waiter w;
        for (auto [mode, value] : r.steps) draw(w, mode, value);
        for (int i = 0; i < 4; ++i) {
            const auto [x, y] = probes[i];
            EXPECT_TRUE(near(at(w, x, y), r.ring[i] == 'w' ? white : grey))
                << r.what << " at " << x << "," << y << ": " << std::hex << at(w, x, y);
        }
        EXPECT_EQ(at(w, 40, 40), square) << r.what;
    }
}

TEST(Waiter, SpinnerFramesComeFromTheResourcesAndWrap) {
    orbel_test_app();
    orbel_client_waiter w;
    draw(w, 1, 0);
    const QImage first = w.image();
    EXPECT_NE(first.pixel(40, 40 - 20), square);  // a spoke over the square
    for (int i = 0; i < 11; ++i) w.next_frame();
    EXPECT_EQ(w.frame(), 11);
    w.next_frame();
    EXPECT_EQ(w.frame(), 0);
    w.next_frame();
    w.render();
    EXPECT_NE(w.image(), first);
}

TEST(Waiter, WindowTimersAndPlacement) {
    orbel_test_app();
    QWidget client;
    client.resize(240, 320);
    vux_waiter_window busy(&client);
    client.show();
    busy.show_busy(1, 0);
    EXPECT_TRUE(busy.isVisible());
    EXPECT_EQ(busy.geometry(), QRect(80, 120, 80, 80));
    EXPECT_EQ(busy.spinner_timer().interval(), 100);
    EXPECT_TRUE(busy.spinner_timer().isActive());
    EXPECT_TRUE(busy.redraw_timer().isSingleShot());
    EXPECT_EQ(busy.redraw_timer().interval(), 50);
    QSignalSpy turns(&busy.spinner_timer(), &QTimer::timeout);
    ASSERT_TRUE(turns.wait(2000));
    EXPECT_EQ(busy.waiter().frame(), 1);
    busy.show_busy(2, 50);
    EXPECT_EQ(busy.waiter().mode(), 2);
    busy.show_busy(0, 0);
    EXPECT_FALSE(busy.isVisible());
    EXPECT_FALSE(busy.spinner_timer().isActive());
    if (const char* dir = std::getenv("VUX_SHOT_DIR")) {
        orbel_client_waiter w;
        draw(w, 2, 25);
        w.image().scaled(320, 320).save(QString(dir) + "/waiter.png");
        draw(w, 1, 0);
        w.image().scaled(320, 320).save(QString(dir) + "/spinner.png");
    }
}

}  // namespace
