#pragma once
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>
#include "core/vux_http_parser.h"

// A scripted peer on a loopback port. For every connection it collects the
// request; once the whole request has arrived (a POST with its announced
// body) it runs the script, which answers as the test needs: well, badly,
// in pieces, not at all.
class loopback_server {
public:
    using script = std::function<void(QTcpSocket& peer, const QByteArray& request)>;

    explicit loopback_server(script on_request = {}) : on_request_(std::move(on_request)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

    quint16 port() const { return server_.serverPort(); }
    void set_script(script s) { on_request_ = std::move(s); }
    // Runs on every piece of the request, before it is complete.
    void set_on_bytes(script s) { on_bytes_ = std::move(s); }
    // Limits what the peer takes from the system, so that a large request
    // backs up in the sender.
    void set_read_buffer(qint64 n) { read_buffer_ = n; }

    int connections() const { return connections_; }
    // Connections the client side closed or abandoned.
    int closed() const { return closed_; }
    const QByteArray& last_request() const { return last_request_; }

    // An HTTP/1.1 200 reply with an exact Content-Length.
    static QByteArray ok_reply(const QByteArray& body) {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    // Sends the pieces one after another, each after a pause, then leaves the
    // connection open (the client ends it).
    static void send_pieces(QTcpSocket& peer, QList<QByteArray> pieces, int pause_ms = 40) {
        send_from(std::make_shared<piece_plan>(piece_plan{&peer, std::move(pieces), pause_ms}), 0);
    }

private:
    struct piece_plan {
        QPointer<QTcpSocket> peer;
        QList<QByteArray> pieces;
        int pause_ms;
    };
    static void send_from(const std::shared_ptr<piece_plan>& plan, int i) {
        if (!plan->peer || i >= plan->pieces.size()) return;
        plan->peer->write(plan->pieces[i]);
        plan->peer->flush();
        QTimer::singleShot(plan->pause_ms, plan->peer, [plan, i] { send_from(plan, i + 1); });
    }

    struct connection {
        QByteArray received;
        vux_http_parser request{vux_http_parser::mode_request};
        bool answered = false;
    };

    void accept() {
        while (QTcpSocket* peer = server_.nextPendingConnection()) {
            ++connections_;
            if (read_buffer_ > 0) peer->setReadBufferSize(read_buffer_);
            auto state = std::make_shared<connection>();
            QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer, state] { take(*peer, *state); });
            QObject::connect(peer, &QTcpSocket::disconnected, peer, [this, peer] {
                ++closed_;
                peer->deleteLater();
            });
        }
    }

    void take(QTcpSocket& peer, connection& c) {
        const QByteArray piece = peer.readAll();
        if (c.answered) return;
        c.received += piece;
        c.request.feed(piece.constData(), int32_t(piece.size()));
        if (on_bytes_) on_bytes_(peer, c.received);
        if (!c.request.is_complete()) return;
        c.answered = true;
        last_request_ = c.received;
        if (on_request_) on_request_(peer, c.received);
    }

    QTcpServer server_;
    script on_request_;
    script on_bytes_;
    qint64 read_buffer_ = 0;
    int connections_ = 0;
    int closed_ = 0;
    QByteArray last_request_;
};
