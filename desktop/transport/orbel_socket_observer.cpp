#include "desktop/transport/orbel_socket_observer.h"
#include <algorithm>
#include "desktop/transport/orbel_socket.h"

orbel_socket_observer::~orbel_socket_observer() { cancel_requests(); }

void orbel_socket_observer::on_progress(int32_t, int64_t, int64_t) {}

void orbel_socket_observer::cancel_requests() {
    // Each socket detaches itself from this list as it ends.
    while (!sockets_.empty()) sockets_.back()->detach_observer();
}

void orbel_socket_observer::attach(orbel_socket* socket) { sockets_.push_back(socket); }

void orbel_socket_observer::detach(orbel_socket* socket) {
    auto it = std::find(sockets_.begin(), sockets_.end(), socket);
    if (it != sockets_.end()) sockets_.erase(it);
}
