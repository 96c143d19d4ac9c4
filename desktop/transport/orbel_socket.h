#pragma once
#include <QAbstractSocket>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include "core/vux_http_parser.h"
#include "core/vux_http_wrapper.h"

class QTcpSocket;
class vux_link;
class orbel_socket_observer;

// One HTTP POST and its reply on a connection of its own. The socket ends
// exactly once ("done"): with on_reply for a reply the parser accepts as
// complete, with on_failure for everything else, or silently when its
// observer cancels. After that it sends nothing, reads nothing and calls
// nobody; its owner deletes it later, outside its events.
class orbel_socket : public QObject {
public:
    orbel_socket(int32_t id, orbel_socket_observer* observer, std::chrono::milliseconds inactivity_timeout,
                 std::function<void()> finished);
    ~orbel_socket() override;

    // Builds the request and starts connecting on the next turn of the event
    // loop, so that no outcome can reach the observer from inside the caller.
    // A body sink takes the reply's body in place of the socket.
    void open(const QString& host, quint16 port, const QString& path, const vux_link& body,
              vux_http_body_sink* body_sink = nullptr);

    int32_t id() const { return id_; }
    bool is_done() const { return done_; }
    // True while the socket is inside one of its observer's calls: it must
    // not be deleted then (its connection may be emitting the signal).
    bool in_call() const { return in_call_ > 0; }
    // Request bytes not yet handed to the system.
    int64_t pending_bytes() const { return request_length() - written_; }

private:
    friend class orbel_socket_observer;
    // The observer went away: end without a call.
    void detach_observer();

    void start_connect();
    void write_more();
    void on_bytes_written(qint64 n);
    void on_ready_read();
    void on_error(QAbstractSocket::SocketError error);
    void on_disconnected();
    void on_timeout();
    // Reads everything buffered; false when the socket finished meanwhile.
    bool drain();
    void fail();
    void finish();
    orbel_socket_observer* end();
    int64_t request_length() const;
    void calling(bool entering) { in_call_ += entering ? 1 : -1; }

    const int32_t id_;
    orbel_socket_observer* observer_;  // not owned; null once detached
    std::function<void()> finished_;
    std::unique_ptr<QTcpSocket> socket_;
    QTimer timer_;
    vux_http_wrapper request_;
    vux_http_parser reply_;
    QString host_;
    quint16 port_ = 0;
    int64_t handed_ = 0;     // request bytes given to the socket
    int64_t written_ = 0;    // request bytes the system has taken
    int64_t reported_ = -1;  // body bytes the last progress call gave
    int32_t in_call_ = 0;
    bool done_ = false;
};
