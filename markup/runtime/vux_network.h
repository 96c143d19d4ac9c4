#pragma once
#include <cstdint>
#include "markup/runtime/vux_host_table.h"

// The host's network entries as the engine calls them.
class vux_network : public vux_host_table<vux_network_table> {
public:
    const char* get_host() const { return call(&vux_network_table::get_host); }
    void set_host(const char* host) const { call(&vux_network_table::set_host, host); }
    int32_t get_port() const { return call(&vux_network_table::get_port); }
    void set_port(int32_t port) const { call(&vux_network_table::set_port, port); }
    int32_t open_connection(const uint8_t* bytes, int32_t length) const {
        return call(&vux_network_table::open_connection, bytes, length);
    }
    void close_connection(int32_t id) const { call(&vux_network_table::close_connection, id); }
    void stopped() const { call(&vux_network_table::stopped); }
};
