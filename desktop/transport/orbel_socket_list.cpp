#include "desktop/transport/orbel_socket_list.h"
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <limits>
#include "core/vux_buffer.h"
#include "core/vux_object.h"
#include "core/vux_writer.h"
#include "desktop/transport/orbel_socket.h"

orbel_socket_list::orbel_socket_list() : context_(std::make_unique<QObject>()) {}

orbel_socket_list::~orbel_socket_list() {
    // Sockets first: their destructors detach them from their observers.
    sockets_.clear();
}

int32_t orbel_socket_list::next_id() {
    last_id_ = last_id_ == std::numeric_limits<int32_t>::max() ? 1 : last_id_ + 1;
    return last_id_;
}

int32_t orbel_socket_list::send_request(const vux_object& request, const QString& host, quint16 port,
                                        const QString& path, orbel_socket_observer* observer,
                                        vux_http_body_sink* body_sink) {
    vux_buffer body;
    // A request too large to frame opens no connection: the observer hears
    // of the failure like any other.
    if (!vux_writer::frame(request, body)) body = vux_buffer();
    const int32_t id = next_id();
    auto socket = std::make_unique<orbel_socket>(id, observer, timeout_, [this] { socket_finished(); });
    orbel_socket& ref = *socket;
    sockets_.push_back(std::move(socket));
    ref.open(host, port, path, body, body_sink);
    return id;
}

void orbel_socket_list::socket_finished() {
    if (!purge_when_finished_ || purge_queued_) return;
    purge_queued_ = true;
    QTimer::singleShot(0, context_.get(), [this] {
        purge_queued_ = false;
        purge_finished();
    });
}

void orbel_socket_list::purge_finished() {
    // A socket still inside its observer's call is left for the purge that
    // its ending queued.
    std::erase_if(sockets_, [](const std::unique_ptr<orbel_socket>& s) { return s->is_done() && !s->in_call(); });
}

int32_t orbel_socket_list::active_count() const {
    return int32_t(std::count_if(sockets_.begin(), sockets_.end(),
                                 [](const std::unique_ptr<orbel_socket>& s) { return !s->is_done(); }));
}
