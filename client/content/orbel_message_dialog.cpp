#include "client/content/orbel_message_dialog.h"

#include "client/common/orbel_fatal.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"

namespace {
int poll_ms = 15000;
}  // namespace

int orbel_message_poll_ms() { return poll_ms; }
void orbel_set_message_poll_ms(int ms) { poll_ms = ms; }

orbel_message_dialog::orbel_message_dialog(QWidget* parent) : QDialog(parent) { timer_.setSingleShot(true); }

void orbel_message_dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    poll();
}

void orbel_message_dialog::reject() {
    if (!busy_) QDialog::reject();
}

void orbel_message_dialog::done(int result) {
    ended_ = true;
    timer_.stop();
    cancel_requests();
    forget_replies();
    QDialog::done(result);
}

void orbel_message_dialog::send(const vux_desktop_request_message& request) {
    if (ended_ || orbel_ending()) return;
    orbel& app = orbel_app();
    set_busy(true);
    expect(app.socket_list.send_request(request, app.service_host, quint16(app.service_port),
                                        orbel_to_qstring(app.service_path), this),
           vux_desktop_response_message::code);
}

void orbel_message_dialog::set_busy(bool busy) {
    busy_ = busy;
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void orbel_message_dialog::take_failure() {
    if (ended_) return;
    set_busy(false);
    on_idle();
    orbel_fatal(orbel_ids_network_failure);
}

void orbel_message_dialog::take_reply(int32_t, std::unique_ptr<vux_record> decoded) {
    if (ended_) return;
    set_busy(false);
    on_idle();
    const auto reply = reply_as<vux_desktop_response_message>(std::move(decoded));
    if (!reply || reply->result != 0) return orbel_fatal(orbel_ids_system_failure);
    on_message(*reply);
    on_idle();
}
