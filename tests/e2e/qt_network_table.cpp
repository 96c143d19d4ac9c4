#include "qt_network_table.h"

namespace {
qt_network_table& self(void* user) { return *static_cast<qt_network_table*>(user); }
}  // namespace

qt_network_table::qt_network_table(vux_engine* engine, std::string host, int port)
    : engine_(engine), host_(std::move(host)), port_(port) {
    table.user = this;
    table.get_host = [](void* u) { return self(u).host_.c_str(); };
    table.set_host = [](void* u, const char* h) { self(u).host_ = h ? h : ""; };
    table.get_port = [](void* u) { return self(u).port_; };
    table.set_port = [](void* u, int p) { self(u).port_ = p; };
    table.open_connection = [](void* u, const uint8_t* b, int n) { return self(u).open(b, n); };
    table.close_connection = [](void* u, int id) { self(u).close(id); };
}

qt_network_table::~qt_network_table() {
    for (auto& [id, c] : connections_)
        if (c.socket) c.socket->disconnect();
}

std::vector<std::string> qt_network_table::replies() const {
    std::vector<std::string> out;
    for (const auto& [id, c] : connections_) out.push_back(c.received);
    return out;
}

int qt_network_table::open(const uint8_t* bytes, int length) {
    const int id = next_id_++;
    connection& c = connections_[id];
    c.socket = std::make_unique<QTcpSocket>();
    c.request = QByteArray(reinterpret_cast<const char*>(bytes), length);
    QTcpSocket* s = c.socket.get();
    QObject::connect(s, &QTcpSocket::connected, s,
                     [this, id] { connections_[id].socket->write(connections_[id].request); });
    QObject::connect(s, &QTcpSocket::bytesWritten, s, [this, id](qint64 n) {
        connection& c = connections_[id];
        c.written += n;
        if (c.ready || c.written < c.request.size()) return;
        c.ready = true;
        vux_engine_on_socket_ready(engine_, id);
        read(id);
    });
    QObject::connect(s, &QTcpSocket::readyRead, s, [this, id] { read(id); });
    QObject::connect(s, &QTcpSocket::disconnected, s, [this, id] { closed(id); });
    QObject::connect(s, &QTcpSocket::errorOccurred, s, [this, id] { closed(id); });
    s->connectToHost(QString::fromStdString(host_), quint16(port_));
    return id;
}

void qt_network_table::read(int id) {
    connection& c = connections_[id];
    while (!c.done && c.ready && c.socket && c.socket->bytesAvailable() > 0) {
        const QByteArray piece = c.socket->read(1024);
        c.received.append(piece.constData(), size_t(piece.size()));
        const int r = vux_engine_on_socket_data(engine_, id, reinterpret_cast<const uint8_t*>(piece.constData()),
                                                int(piece.size()));
        if (r != 1) c.done = true;
    }
}

void qt_network_table::closed(int id) {
    connection& c = connections_[id];
    if (c.done || !c.socket) return;
    read(id);  // what was buffered belongs to the reply
    if (c.done) return;
    c.done = true;
    vux_engine_on_socket_error(engine_, id);
}

void qt_network_table::close(int id) {
    auto it = connections_.find(id);
    if (it == connections_.end() || !it->second.socket) return;
    connection& c = it->second;
    c.done = true;
    c.socket->disconnect();
    c.socket->abort();
    // It may be the socket whose signal is running: delete it later.
    c.socket.release()->deleteLater();
}
