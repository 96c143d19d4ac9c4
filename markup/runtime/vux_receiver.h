#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_http_parser.h"
#include "core/vux_object.h"

class vux_exchange;
class vux_network;

// One channel to the service: it owns one request at a time, opens its
// connection through the host, collects and checks the reply, and on the
// manager's tick delivers it to the exchange or reports the failure there.
// What it sends and receives counts in the exchange's traffic.
class vux_receiver : public vux_object {
public:
    enum outcome_kind : int32_t { none = 0, connection_failed = 1, reply_refused = 2 };
    // A reply body larger than this is refused.
    static constexpr int32_t max_body = 16 << 20;

    vux_receiver(bool main_channel, const vux_network& network, vux_exchange& exchange);
    ~vux_receiver() override;
    vux_receiver(const vux_receiver&) = delete;
    vux_receiver& operator=(const vux_receiver&) = delete;

    bool send(const uint8_t* bytes, int32_t length);
    bool resend();
    bool has_request() const { return request_ != nullptr; }
    void on_ready();
    // 1 go on, 2 reply complete or failed.
    int32_t on_data(const uint8_t* bytes, int32_t length);
    void fail(int32_t why);
    void close_connection();
    void close_reply();
    void drop_request() { request_.reset(); }
    bool is_complete() const;
    int32_t progress(int32_t scale) const;
    void count_waiting();
    // The channel's step of the manager's tick; true when it did something.
    bool complete();
    // Stops the exchange: connection and reply closed, request dropped.
    void end();

    int32_t connection_id() const { return connection_id_; }
    int32_t outcome() const { return outcome_; }
    int32_t sequence() const { return sequence_; }
    int32_t waiting_ticks() const { return waiting_ticks_; }
    int32_t receiving_ticks() const { return receiving_ticks_; }
    bool written() const { return written_ != 0; }
    bool main_channel() const { return main_channel_ != 0; }

private:
    int32_t connection_id_ = 0;
    int32_t outcome_ = none;
    int32_t attempts_ = 0;
    int32_t error_code_ = 0;
    int32_t sequence_ = 0;
    int32_t waiting_ticks_ = 0;
    int32_t receiving_ticks_ = 0;
    uint8_t written_ = 0;
    uint8_t main_channel_ = 0;
    std::unique_ptr<vux_buffer> request_;
    std::unique_ptr<vux_http_parser> parser_;
    const vux_network& network_;
    vux_exchange& exchange_;
};
