#include "client/manager/orbel_site_list.h"

#include "client/common/orbel_fatal.h"
#include "client/start/orbel.h"
#include "client/start/orbel_main.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

orbel_site_list::orbel_site_list() = default;

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
    forget_replies();  // only the latest request counts
    expect(sender_ ? sender_(*request, this)
                   : app->socket_list.send_request(*request, app->service_host, quint16(app->service_port),
                                                   orbel_to_qstring(app->service_path), this),
           vux_desktop_response_site::code);
}

void orbel_site_list::take_failure() { orbel_fatal_message(queue_.on_failure().message); }

void orbel_site_list::take_reply(int32_t, std::unique_ptr<vux_record> decoded) {
    const auto reply = reply_as<vux_desktop_response_site>(std::move(decoded));
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
