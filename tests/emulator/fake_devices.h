#pragma once
#include "emulator/orbel_client_devices.h"

#include <vector>

// Test double of the device facilities: remembers what was opened and lets
// the test give the answers, keeping the seam's rule that an answer comes at
// most once and never after a close.
class fake_devices : public orbel_client_devices {
public:
    struct text_request {
        bool single_line;
        int maximum;
        QString title, text;
    };
    std::vector<text_request> text_requests;
    std::vector<QString> capture_kinds;
    std::vector<QByteArray> played;
    int stops = 0;
    std::vector<std::pair<QString, QString>> location_prefills;
    bool busy = false;
    std::vector<std::pair<int, int>> busy_steps;

    void open_text_input(bool single_line, int maximum, const QString& title, const QString& text,
                         text_done done) override {
        text_requests.push_back({single_line, maximum, title, text});
        text_ = std::move(done);
    }
    bool close_text_input() override { return std::exchange(text_, nullptr) != nullptr; }
    void open_capture(const QString& kind, media_done done) override {
        capture_kinds.push_back(kind);
        media_ = std::move(done);
    }
    bool close_capture() override { return std::exchange(media_, nullptr) != nullptr; }
    int play_voice(const QByteArray& bytes) override {
        played.push_back(bytes);
        return 1;
    }
    void stop_voice() override { ++stops; }
    void request_location(const QString& latitude, const QString& longitude, location_done done) override {
        location_prefills.emplace_back(latitude, longitude);
        location_ = std::move(done);
    }
    bool busy_visible() const override { return busy; }
    void busy_show() override { busy = true; }
    void busy_hide() override { busy = false; }
    void busy_advance(int mode, int value) override { busy_steps.emplace_back(mode, value); }

    // The user's answers; false when no dialog of that kind is open.
    bool answer_text(std::optional<QString> text) { return answer(text_, std::move(text)); }
    bool answer_media(std::optional<QByteArray> bytes) { return answer(media_, std::move(bytes)); }
    bool answer_location(std::optional<std::pair<QString, QString>> where) {
        return answer(location_, std::move(where));
    }
    bool text_open() const { return text_ != nullptr; }
    bool capture_open() const { return media_ != nullptr; }

private:
    template <class F, class V>
    static bool answer(F& slot, V value) {
        auto done = std::exchange(slot, nullptr);
        if (!done) return false;
        done(std::move(value));
        return true;
    }
    text_done text_;
    media_done media_;
    location_done location_;
};
