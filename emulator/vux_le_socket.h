#pragma once
#include "markup/runtime/vux_engine.h"

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>

// One connection of the engine: writes one request, then streams the reply
// back into the engine in pieces of at most 1024 bytes. Every outcome comes
// later from the event loop; each socket reports at most one error, and
// nothing once the engine has said the reply is complete (2), asked to stop
// (0), or the socket was closed.
class vux_le_socket : public QObject {
public:
    static constexpr int piece_size = 1024;

    vux_le_socket(vux_engine* engine, int id, QByteArray request, QObject* parent = nullptr);
    ~vux_le_socket() override;

    void start(const QString& host, quint16 port);
    // Stops every further call into the engine (entry 9, destruction).
    void kill() { alive_ = false; }
    int id() const { return id_; }

private:
    void on_connected();
    void on_written(qint64 bytes);
    void on_ready_read();
    void on_closed();
    void on_error(QAbstractSocket::SocketError error);
    void fail();

    vux_engine* engine_;
    int id_;
    QByteArray request_;
    qint64 sent_ = 0;
    bool alive_ = true;
    bool ready_ = false;
    bool finished_ = false;
    QTcpSocket socket_;
};
