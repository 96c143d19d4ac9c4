#include "emulator/vux_le_socket.h"

#include <QPointer>

vux_le_socket::vux_le_socket(vux_engine* engine, int id, QByteArray request, QObject* parent)
    : QObject(parent), engine_(engine), id_(id), request_(std::move(request)) {
    connect(&socket_, &QTcpSocket::connected, this, &vux_le_socket::on_connected);
    connect(&socket_, &QTcpSocket::bytesWritten, this, &vux_le_socket::on_written);
    connect(&socket_, &QTcpSocket::readyRead, this, &vux_le_socket::on_ready_read);
    connect(&socket_, &QTcpSocket::disconnected, this, &vux_le_socket::on_closed);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &vux_le_socket::on_error);
}

vux_le_socket::~vux_le_socket() {
    alive_ = false;
    socket_.disconnect(this);
    socket_.abort();
}

void vux_le_socket::start(const QString& host, quint16 port) { socket_.connectToHost(host, port); }

void vux_le_socket::fail() {
    if (!alive_ || finished_) return;
    alive_ = false;
    socket_.abort();
    vux_engine_on_socket_error(engine_, id_);
}

void vux_le_socket::on_connected() {
    if (!alive_) return;
    if (request_.isEmpty()) {
        ready_ = true;
        vux_engine_on_socket_ready(engine_, id_);
        return;
    }
    socket_.write(request_);
}

void vux_le_socket::on_written(qint64 bytes) {
    if (!alive_ || ready_) return;
    sent_ += bytes;
    if (sent_ < request_.size()) return;
    ready_ = true;
    vux_engine_on_socket_ready(engine_, id_);
    // Data that arrived before the request was out is read now.
    if (alive_ && socket_.bytesAvailable() > 0) on_ready_read();
}

void vux_le_socket::on_ready_read() {
    if (!alive_ || !ready_) return;
    QPointer<vux_le_socket> self(this);
    char piece[piece_size];
    while (alive_ && !finished_) {
        const qint64 n = socket_.read(piece, piece_size);
        if (n <= 0) break;
        const int result = vux_engine_on_socket_data(engine_, id_, reinterpret_cast<const uint8_t*>(piece), int(n));
        if (!self) return;  // closed from inside the call
        if (result == 0) alive_ = false;
        if (result == 2) finished_ = true;
    }
}

void vux_le_socket::on_closed() {
    if (!alive_ || finished_) return;
    // Bytes still buffered belong to the reply: hand them over first.
    QPointer<vux_le_socket> self(this);
    on_ready_read();
    if (self) fail();
}

void vux_le_socket::on_error(QAbstractSocket::SocketError error) {
    if (error == QAbstractSocket::RemoteHostClosedError) {
        on_closed();
        return;
    }
    fail();
}
