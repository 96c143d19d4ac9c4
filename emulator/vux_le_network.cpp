#include "emulator/vux_le_network.h"

#include "emulator/vux_le_socket.h"

struct vux_le_network_entries {
    static vux_le_network& self(void* user) { return *static_cast<vux_le_network*>(user); }
    static const char* connection_kinds(void*) { return "network\nother"; }
    static const char* get_first_address(void* user) {
        auto& n = self(user);
        if (n.first_address_.isEmpty()) return nullptr;
        n.first_address_text_ = n.first_address_.toStdString();
        return n.first_address_text_.c_str();
    }
    static void set_first_address(void* user, const char* text) {
        self(user).first_address_ = QString::fromUtf8(text ? text : "");
    }
    static const char* get_host(void* user) {
        auto& n = self(user);
        n.host_text_ = n.host_.toStdString();
        return n.host_text_.c_str();
    }
    static void set_host(void* user, const char* host) { self(user).host_ = QString::fromUtf8(host ? host : ""); }
    static int get_port(void* user) { return self(user).port_; }
    static void set_port(void* user, int port) { self(user).port_ = port; }
    static int open_connection(void* user, const uint8_t* bytes, int length) {
        return self(user).open_connection(bytes, length);
    }
    static void close_connection(void* user, int id) { self(user).close_connection(id); }
    static void stopped(void*) {}
};

vux_le_network::vux_le_network() = default;

vux_le_network::~vux_le_network() {
    for (auto& [id, socket] : sockets_) {
        socket->kill();
        delete socket;
    }
}

vux_network_table vux_le_network::table() {
    using e = vux_le_network_entries;
    return {this,        e::connection_kinds, e::get_first_address, e::set_first_address, e::get_host, e::set_host,
            e::get_port, e::set_port,         e::open_connection,   e::close_connection,  e::stopped};
}

int vux_le_network::open_connection(const uint8_t* bytes, int length) {
    if (!engine_ || length < 0 || (length > 0 && !bytes) || port_ <= 0 || port_ > 65535) return 0;
    int id = next_id_;
    while (sockets_.count(id) || id <= 0) id = id <= 0 ? 1 : id + 1;
    next_id_ = id + 1 > 0 ? id + 1 : 1;
    auto* socket = new vux_le_socket(engine_, id, QByteArray(reinterpret_cast<const char*>(bytes), length), this);
    sockets_[id] = socket;
    socket->start(host_, quint16(port_));
    return id;
}

void vux_le_network::close_connection(int id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    it->second->kill();
    it->second->deleteLater();  // may be inside that socket's own signal
    sockets_.erase(it);
}
