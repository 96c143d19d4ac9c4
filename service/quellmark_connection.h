#pragma once
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include "core/vux_http_parser.h"

class QTcpSocket;
class quellmark_service;

// One client connection of the service: collects the POST, answers it and
// closes. A peer that stays silent is dropped after a while, so a stalled
// client cannot hold the service's connections for ever.
class quellmark_connection : public QObject {
public:
    static constexpr int idle_limit_ms = 30000;

    // Takes the socket (made a child of this object).
    quellmark_connection(QTcpSocket* socket, quellmark_service& service, QObject* parent);

private:
    void take();
    void answer(const QByteArray& header, const QByteArray& body);
    void send(const QByteArray& bytes, qint64 count);
    void refuse(int status, const char* reason);
    void drop();
    void end_in_flight();

    QTcpSocket* socket_;  // child
    quellmark_service& service_;
    vux_http_parser request_{vux_http_parser::mode_request};
    QTimer idle_;
    bool answered_ = false;
    int32_t in_flight_code_ = 0;  // the code being answered; 0 when none
};
