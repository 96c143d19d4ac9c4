#pragma once
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>
#include "core/vux_buffer.h"
#include "desktop/transport/orbel_socket_observer.h"

// What an observer was told, in order. The log is shared so that it
// outlives an observer that a test destroys.
struct observer_event {
    enum kind_t { progress, reply, failure } kind;
    int32_t id = 0;
    int64_t expected = 0;
    int64_t received = 0;
    QByteArray body;
};
using observer_log = std::vector<observer_event>;

class recording_observer : public orbel_socket_observer {
public:
    explicit recording_observer(std::shared_ptr<observer_log> log = std::make_shared<observer_log>())
        : log_(std::move(log)) {}

    void on_progress(int32_t id, int64_t expected, int64_t received) override {
        log_->push_back({observer_event::progress, id, expected, received, {}});
        if (after_progress) after_progress();
    }
    void on_reply(int32_t id, const vux_buffer& body) override {
        log_->push_back(
            {observer_event::reply, id, 0, 0, QByteArray(reinterpret_cast<const char*>(body.data()), body.length())});
        if (after_end) after_end();
    }
    void on_failure(int32_t id) override {
        log_->push_back({observer_event::failure, id, 0, 0, {}});
        if (after_end) after_end();
    }

    const observer_log& log() const { return *log_; }
    std::shared_ptr<observer_log> shared_log() const { return log_; }
    // Replies and failures seen.
    int ends() const {
        int n = 0;
        for (const auto& e : *log_) n += e.kind != observer_event::progress;
        return n;
    }
    int count(observer_event::kind_t k) const {
        int n = 0;
        for (const auto& e : *log_) n += e.kind == k;
        return n;
    }

    // Run after each reply or failure, and after each progress call, is logged.
    std::function<void()> after_end;
    std::function<void()> after_progress;

private:
    std::shared_ptr<observer_log> log_;
};
