#include "client/manager/orbel_site_list.h"

#include <QObject>

#include "client/start/orbel.h"
#include "client/common/orbel_fatal.h"
#include "client/start/orbel_main.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/vux_desktop_accept.h"

orbel_site_list::orbel_site_list() : context_(std::make_unique<QObject>()) {}

orbel_site_list::~orbel_site_list() = default;

void orbel_site_list::enqueue_missing(const vux_desktop_group_list& groups) {
    queue_.enqueue_missing(groups);
    send_next();
}

void orbel_site_list::send_update(std::unique_ptr<vux_desktop_request_site> request) {
    queue_.enqueue_request(std::move(request));
    send_next();
}

void orbel_site_list::send_next() {
    orbel* app = orbel::instance();
    if (!app || orbel_ending()) return;
    std::unique_ptr<vux_desktop_request_site> request = queue_.take_next(app->session);
    if (!request) return;
    request_id_ = sender_ ? sender_(*request, this)
                          : app->socket_list.send_request(*request, app->service_host, quint16(app->service_port),
                                                          orbel_to_qstring(app->service_path), this);
}

void orbel_site_list::on_reply(int32_t id, const vux_buffer& body) {
    if (id != request_id_) return;
    request_id_ = 0;
    const QByteArray bytes(reinterpret_cast<const char*>(body.data()), body.length());
    QMetaObject::invokeMethod(context_.get(), [this, bytes] { handle_reply(bytes); }, Qt::QueuedConnection);
}

void orbel_site_list::on_failure(int32_t id) {
    if (id != request_id_) return;
    request_id_ = 0;
    QMetaObject::invokeMethod(
        context_.get(), [this] { orbel_fatal_message(queue_.on_failure().message); }, Qt::QueuedConnection);
}

void orbel_site_list::handle_reply(const QByteArray& body) {
    const auto reply =
        vux_desktop_accept_as<vux_desktop_response_site>(vux_link(body.constData(), int32_t(body.size())));
    const orbel_site_queue::outcome out = queue_.on_reply(reply.get());
    if (out.fatal) return orbel_fatal_message(out.message);
    send_next();
    if (out.has_arrived && on_arrived_) on_arrived_(out.arrived);
    if (!out.message.isEmpty()) {
        orbel* app = orbel::instance();
        orbel_get_ui().message(app && app->main_window ? static_cast<QWidget*>(app->main_window.get()) : nullptr,
                               out.message);
    }
}
