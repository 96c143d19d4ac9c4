#include "client/content/orbel_message_dialog.h"

#include "client/start/orbel.h"
#include "client/common/orbel_fatal.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "desktop/vux_desktop_accept.h"

namespace {
int poll_ms = 15000;
}  // namespace

int orbel_message_poll_ms() { return poll_ms; }
void orbel_set_message_poll_ms(int ms) { poll_ms = ms; }

orbel_message_dialog::orbel_message_dialog(QWidget* parent) : QDialog(parent) {
    timer_.setSingleShot(true);
}

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
    QDialog::done(result);
}

void orbel_message_dialog::send(const vux_desktop_request_message& request) {
    if (ended_ || orbel_ending()) return;
    orbel& app = orbel_app();
    set_busy(true);
    out_.insert(app.socket_list.send_request(request, app.service_host, quint16(app.service_port),
                                             orbel_to_qstring(app.service_path), this));
}

void orbel_message_dialog::set_busy(bool busy) {
    busy_ = busy;
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void orbel_message_dialog::on_reply(int32_t id, const vux_buffer& body) {
    if (!out_.erase(id)) return;
    // Fatal messages run an event loop of their own: handle the reply after
    // the transport's call has returned (dropped if the dialog goes first).
    const QByteArray bytes(reinterpret_cast<const char*>(body.data()), body.length());
    QMetaObject::invokeMethod(this, [this, bytes] { handle(bytes); }, Qt::QueuedConnection);
}

void orbel_message_dialog::on_failure(int32_t id) {
    if (!out_.erase(id)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (ended_) return;
            set_busy(false);
            on_idle();
            orbel_fatal(orbel_ids_network_failure);
        },
        Qt::QueuedConnection);
}

void orbel_message_dialog::handle(const QByteArray& body) {
    if (ended_) return;
    set_busy(false);
    on_idle();
    const auto reply =
        vux_desktop_accept_as<vux_desktop_response_message>(vux_link(body.constData(), int32_t(body.size())));
    if (!reply || reply->result != 0) return orbel_fatal(orbel_ids_system_failure);
    on_message(*reply);
    on_idle();
}
