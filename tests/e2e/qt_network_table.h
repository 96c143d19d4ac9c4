#pragma once
#include <QTcpSocket>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "markup/runtime/vux_engine.h"

// The engine's network table over QTcpSocket, for the end-to-end tests: each
// connection goes to the current host and port, writes its request, reports
// ready once it is out and hands every piece of the reply to the engine; a
// close before the engine took the whole reply is an error. Calls into the
// engine come only from the event loop, never from inside an engine call.
class qt_network_table {
public:
    qt_network_table(vux_engine* engine, std::string host, int port);
    ~qt_network_table();

    vux_network_table table{};
    // Every reply received, whole or not, in the order the connections opened.
    std::vector<std::string> replies() const;

private:
    struct connection {
        std::unique_ptr<QTcpSocket> socket;
        QByteArray request;
        qint64 written = 0;
        std::string received;
        bool ready = false;
        bool done = false;  // the engine said stop or complete, or closed it
    };
    int open(const uint8_t* bytes, int length);
    void close(int id);
    void read(int id);
    void closed(int id);

    vux_engine* engine_;
    std::string host_;
    int port_;
    int next_id_ = 1;
    std::map<int, connection> connections_;
};
