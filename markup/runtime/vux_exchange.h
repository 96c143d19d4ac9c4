#pragma once
#include <cstdint>
#include "core/vux_integer_list.h"
#include "core/vux_string.h"

class vux_buffer;
class vux_canvas;
class vux_document;
class vux_facility;
class vux_machine;
class vux_network;
class vux_object;
class vux_receiver;

// The document's two channels to the service: what is sent on each, the due
// tests of the manager's tick, the time-outs, retries and failures, and the
// delivery of the replies as document streams. It also keeps the requests
// sent outside the channels and the count of bytes sent and received.
class vux_exchange {
public:
    vux_exchange(vux_document& document, vux_receiver& main, vux_receiver& poll, vux_network& network,
                 const vux_facility& facility, vux_canvas& canvas, vux_machine& machine);
    vux_exchange(const vux_exchange&) = delete;
    vux_exchange& operator=(const vux_exchange&) = delete;

    // The message framed as the body of a POST to the service.
    bool build_request(const vux_object& message, vux_buffer& out) const;
    bool send_message(const vux_object& message, bool main_channel);

    // Whether the channel's receiver completes on this tick, its reply
    // tested against last_sequence.
    bool main_due();
    bool poll_due();

    void retry(bool main_channel);
    void channel_failed(bool main_channel);
    void connection_failed(bool main_channel);
    void reply_refused(bool main_channel, int32_t code);
    void main_reply(const uint8_t* body, int32_t length);
    void poll_reply(const uint8_t* body, int32_t length);
    // Socket data or readiness on a channel.
    void traffic(bool main_channel);
    // The network part of the timed step: a retry ends the step as work
    // done; a main exchange still waiting ends it with nothing done; else the
    // step goes on to the queue and the overtime.
    enum class timed_outcome { go_on, retried, waiting };
    timed_outcome timed_step();
    // The user's retry after a time-out (command 2).
    void user_retry();
    // A poll that has waited past its interval is sent again (command 17).
    void resend_stale_poll();
    // The user's way out of a waiting main exchange: the connection closes,
    // its request goes and the status dialog closes; the document keeps its
    // state.
    void abort_main();
    // Both exchanges end: waiting flags and counts cleared, connections
    // closed, kept requests dropped.
    void end();

    // ---- requests outside the two channels; their replies are not read
    void send_side(const uint8_t* bytes, int32_t length);
    // A connection id neither channel owns: no longer a side request, and
    // closed with the next close_forgotten.
    void forget_connection(int32_t id);
    void close_forgotten();
    void close_side_connections();

    // ---- traffic, published as "__key_flow"
    void add_sent(int64_t n);
    void add_received(int64_t n);
    void reset_traffic();

    // The sequence of the last reply accepted on either channel (0 none yet).
    int32_t last_sequence = 0;
    bool main_waiting = false;
    bool poll_waiting = false;
    int32_t poll_interval = 0;
    int32_t poll_counter = 0;
    int32_t main_timeout_count = 0;
    int32_t poll_tick_count = 0;
    int32_t poll_resend_count = 0;

private:
    vux_receiver& receiver(bool main_channel) { return main_channel ? main_ : poll_; }
    bool poll_stale() const { return poll_waiting && poll_tick_count > poll_interval + 10; }
    void publish_traffic();
    // Sends the channel's kept request again; false when that cannot be done.
    bool resend(bool main_channel);
    // The network-error state with the error dialog of text_key.
    void failed(const char* text_key, const vux_string& suffix = vux_string());
    // The main exchange ends: its wait, connection, request and status.
    void end_main();
    // Tells a host that shows the progress itself; false for any other.
    bool report_progress();

    vux_document& document_;
    vux_receiver& main_;
    vux_receiver& poll_;
    vux_network& network_;
    const vux_facility& facility_;
    vux_canvas& canvas_;
    vux_machine& machine_;
    int64_t sent_ = 0;
    int64_t received_ = 0;
    vux_integer_list side_connections_;
    vux_integer_list ids_to_close_;
};
