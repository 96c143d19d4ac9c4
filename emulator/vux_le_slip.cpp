#include "emulator/vux_le_slip.h"

#include <QElapsedTimer>
#include <cstdlib>

namespace {
std::int64_t monotonic_ms() {
    static QElapsedTimer since_start = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return since_start.elapsed();
}
constexpr std::int64_t sample_window_ms = 500;
}  // namespace

vux_le_slip::vux_le_slip(drag_step step, int threshold, clock now, QObject* parent)
    : QObject(parent), step_(std::move(step)), threshold_(threshold), now_(now ? std::move(now) : clock(monotonic_ms)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &vux_le_slip::step);
}

void vux_le_slip::sample(int y) {
    stop();
    const std::int64_t now = now_();
    last_time_ = now;
    last_y_ = y;
    if (!has_start_ || now - start_time_ > sample_window_ms) {
        has_start_ = true;
        start_time_ = now;
        start_y_ = y;
    }
}

void vux_le_slip::press(int y) { sample(y); }
void vux_le_slip::move(int y) { sample(y); }

void vux_le_slip::release(int y) {
    if (!has_start_) return;
    has_start_ = false;
    std::int64_t distance = std::int64_t(y) - start_y_;
    direction_ = distance > 0 ? 1 : 0;
    distance = std::llabs(distance);
    active_ = false;
    if (distance < threshold_) return;
    std::int64_t elapsed = now_() - start_time_;
    if (elapsed == 0) elapsed = 1;
    if (elapsed <= 0) return;
    if (distance * 100 / elapsed < 30) return;
    active_ = true;
    first_ = 1;
    fast_ = distance >= 3 * std::int64_t(threshold_) ? 1 : 0;
    timer_.start(step_period_ms);
}

void vux_le_slip::step() {
    if (!active_) return;
    if (step_(first_, direction_, fast_) == 0) active_ = false;
    first_ = 0;
    if (active_)
        timer_.start(step_period_ms);
    else
        timer_.stop();
}

void vux_le_slip::stop() {
    timer_.stop();
    active_ = false;
}
