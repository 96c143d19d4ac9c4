#pragma once
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

// Kinetic scrolling of the client window: a fast vertical drag becomes a
// series of drag steps of the engine, one every 100 ms, until the engine's
// step answers 0 or a new press or key stops them.
class vux_le_slip : public QObject {
public:
    // Milliseconds of a monotonic clock (64-bit: never wraps).
    using clock = std::function<std::int64_t()>;
    // One drag step of the engine (first step, direction, fast) -> non-zero
    // while the steps are to go on.
    using drag_step = std::function<int(int first, int direction, int fast)>;

    static constexpr int step_period_ms = 100;

    vux_le_slip(drag_step step, int threshold, clock now = {}, QObject* parent = nullptr);

    // Press and move samples (y in window pixels).
    void press(int y);
    void move(int y);
    void release(int y);
    // One timed step; the timer calls it, tests may too.
    void step();
    // Stops a running fling (a key or a press).
    void stop();

    bool flinging() const { return active_; }
    void set_threshold(int threshold) { threshold_ = threshold; }

private:
    void sample(int y);

    drag_step step_;
    int threshold_;
    clock now_;
    QTimer timer_;
    bool has_start_ = false;
    std::int64_t start_time_ = 0;
    int start_y_ = 0;
    std::int64_t last_time_ = 0;
    int last_y_ = 0;
    int first_ = 0;
    int direction_ = 0;
    int fast_ = 0;
    bool active_ = false;
};
