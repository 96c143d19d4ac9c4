#include "service/quellmark_connection.h"
#include <QTcpSocket>
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"

namespace {
// A request header must name the host it was sent to.
bool has_host_line(const QByteArray& header) {
    for (const QByteArray& line : header.split('\n'))
        if (line.trimmed().toLower().startsWith("host:")) return true;
    return false;
}
}  // namespace

quellmark_connection::quellmark_connection(QTcpSocket* socket, quellmark_service& service, QObject* parent)
    : QObject(parent), socket_(socket), service_(service) {
    socket_->setParent(this);
    idle_.setSingleShot(true);
    idle_.setInterval(idle_limit_ms);
    connect(&idle_, &QTimer::timeout, this, [this] { drop(); });
    connect(socket_, &QTcpSocket::readyRead, this, [this] { take(); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] { drop(); });
    idle_.start();
    take();
}

void quellmark_connection::take() {
    if (answered_) {
        socket_->readAll();  // nothing more is asked for on this connection
        return;
    }
    idle_.start();
    const QByteArray piece = socket_->readAll();
    if (piece.isEmpty()) return;
    if (!request_.feed(piece.constData(), int32_t(piece.size()))) {
        refuse(400, "Bad Request");
        return;
    }
    if (!request_.is_complete()) return;
    const int32_t header_length = request_.get_header_length();
    const QByteArray header(reinterpret_cast<const char*>(request_.get_body()) - header_length, header_length);
    const QByteArray body(reinterpret_cast<const char*>(request_.get_body()), request_.get_content_length());
    if (!has_host_line(header)) {
        refuse(400, "Bad Request");
        return;
    }
    answer(header, body);
}

void quellmark_connection::answer(const QByteArray& header, const QByteArray& body) {
    answered_ = true;
    in_flight_code_ = vux_desktop_frame_code(vux_link(body.constData(), int32_t(body.size())));
    service_.note_in_flight(in_flight_code_, 1);
    const quellmark_service::answer a = service_.respond(header, body);
    if (a.delay_ms <= 0) {
        send(a.bytes, a.send);
        return;
    }
    idle_.stop();
    QTimer::singleShot(a.delay_ms, this, [this, bytes = a.bytes, count = a.send] { send(bytes, count); });
}

void quellmark_connection::end_in_flight() {
    if (in_flight_code_) service_.note_in_flight(std::exchange(in_flight_code_, 0), -1);
}

void quellmark_connection::send(const QByteArray& bytes, qint64 count) {
    end_in_flight();
    if (socket_->state() != QAbstractSocket::ConnectedState) return;
    socket_->write(count < 0 ? bytes : bytes.left(count));
    idle_.start();
    // Closes once everything written has gone out.
    socket_->disconnectFromHost();
}

void quellmark_connection::refuse(int status, const char* reason) {
    answered_ = true;
    socket_->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
                   "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    socket_->disconnectFromHost();
}

void quellmark_connection::drop() {
    end_in_flight();
    idle_.stop();
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
    deleteLater();
}
