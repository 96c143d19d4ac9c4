// The device facilities before their dialogs exist: every request is
// answered with nothing, from the event loop, so the engine never waits for
// an answer that cannot come.
#include "emulator/orbel_client_devices.h"

#include <QObject>
#include <QWidget>
#include <memory>

namespace {

class no_devices : public orbel_client_devices {
public:
    explicit no_devices(QWidget* client) : client_(client) {}

    void open_text_input(bool, int, const QString&, const QString&, text_done done) override {
        answer(text_, std::move(done), std::optional<QString>());
    }
    bool close_text_input() override { return close(text_); }
    void open_capture(const QString&, media_done done) override {
        answer(media_, std::move(done), std::optional<QByteArray>());
    }
    bool close_capture() override { return close(media_); }
    int play_voice(const QByteArray&) override { return 0; }
    void stop_voice() override {}
    void request_location(const QString&, const QString&, location_done done) override {
        answer(location_, std::move(done), std::optional<std::pair<QString, QString>>());
    }
    bool busy_visible() const override { return false; }
    void busy_show() override {}
    void busy_hide() override {}
    void busy_advance(int, int) override {}

private:
    // One pending answer per kind: a newer request or a close replaces it;
    // none arrives once this object is gone.
    struct pending {
        int serial = 0;
        bool waiting = false;
    };
    template <class F, class V>
    void answer(pending& slot, F done, V value) {
        const int serial = ++slot.serial;
        slot.waiting = true;
        std::weak_ptr<bool> alive = alive_;
        QMetaObject::invokeMethod(
            client_,
            [alive, &slot, serial, done = std::move(done), value = std::move(value)]() mutable {
                if (alive.expired() || slot.serial != serial || !slot.waiting) return;
                slot.waiting = false;
                done(std::move(value));
            },
            Qt::QueuedConnection);
    }
    static bool close(pending& slot) { return std::exchange(slot.waiting, false); }

    QWidget* client_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    pending text_, media_, location_;
};

}  // namespace

std::unique_ptr<orbel_client_devices> orbel_make_client_devices(QWidget* client) {
    return std::make_unique<no_devices>(client);
}
