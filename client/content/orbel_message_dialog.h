#pragma once
#include <QDialog>
#include <QTimer>

#include "client/common/orbel_reply_path.h"

class vux_desktop_request_message;
class vux_desktop_response_message;

// How often the message box and the chat poll (15 s); tests shorten it.
int orbel_message_poll_ms();
void orbel_set_message_poll_ms(int ms);

// What the message box and the chat share: their requests (3914) and the
// handling of the replies, the poll timer, the wait cursor while a request
// is out, and no close while busy. As it ends the dialog detaches from the
// transport, so a reply still on its way never reaches it.
class orbel_message_dialog : public QDialog, public orbel_reply_path {
    Q_OBJECT
public:
    explicit orbel_message_dialog(QWidget* parent);

    bool busy() const { return busy_; }

    // Enter (OK) does nothing; cancel ends the dialog unless busy.
    void accept() override {}
    void reject() override;
    void done(int result) override;

protected:
    // Sends the request with busy set; the reply comes to on_message.
    void send(const vux_desktop_request_message& request);
    // A whole 3915 with result 0.
    virtual void on_message(const vux_desktop_response_message& reply) = 0;
    // After every reply and failure (buttons follow busy).
    virtual void on_idle() {}
    // The first poll, as the dialog first shows.
    virtual void poll() = 0;
    void showEvent(QShowEvent* event) override;
    void start_timer() { timer_.start(orbel_message_poll_ms()); }
    void stop_timer() { timer_.stop(); }
    QTimer& timer() { return timer_; }

private:
    void set_busy(bool busy);
    void take_reply(int32_t code, std::unique_ptr<vux_record> reply) override;
    void take_failure() override;

    QTimer timer_;
    bool busy_ = false;
    bool ended_ = false;
    bool started_ = false;
};
