#pragma once
#include "markup/runtime/vux_engine.h"

#include <QObject>
#include <QString>
#include <map>
#include <string>

class vux_le_socket;

// The engine's network host table: the server's address and port, and the
// connections the engine opens. Connection ids count from 1 and stay unique
// while a connection is open.
class vux_le_network : public QObject {
public:
    vux_le_network();
    ~vux_le_network() override;

    void set_engine(vux_engine* engine) { engine_ = engine; }
    vux_network_table table();

    void set_host(const QString& host) { host_ = host; }
    const QString& host() const { return host_; }
    void set_port(int port) { port_ = port; }
    int port() const { return port_; }

    int open_connection(const uint8_t* bytes, int length);
    void close_connection(int id);
    int open_count() const { return int(sockets_.size()); }

private:
    vux_engine* engine_ = nullptr;
    QString first_address_;
    QString host_;
    int port_ = 0;
    int next_id_ = 1;
    std::map<int, vux_le_socket*> sockets_;
    // One UTF-8 copy per entry, valid until that entry's next call.
    std::string first_address_text_;
    std::string host_text_;

    friend struct vux_le_network_entries;
};
