#pragma once
#include <cstdint>
#include <vector>

class vux_buffer;
class orbel_socket;

// What a window implements to send requests through orbel_socket_list. For
// every request it sends it gets exactly one on_reply or one on_failure,
// never both, and no call at all once it has cancelled or been destroyed.
// Calls come from the event loop, never from inside send_request.
class orbel_socket_observer {
public:
    orbel_socket_observer() = default;
    orbel_socket_observer(const orbel_socket_observer&) = delete;
    orbel_socket_observer& operator=(const orbel_socket_observer&) = delete;
    // Detaches from every socket it is still waiting on, so a window closed
    // while its request runs is never called after its deletion.
    virtual ~orbel_socket_observer();

    // Part of the reply body has arrived: expected is the announced
    // Content-Length, received the body bytes held so far.
    virtual void on_progress(int32_t id, int64_t expected, int64_t received);
    // The complete reply body (a frame); the buffer lives only during the call.
    // Empty for a request whose body went to a sink.
    virtual void on_reply(int32_t id, const vux_buffer& body) = 0;
    // Connecting, sending or receiving failed, the reply was refused, or the
    // connection stalled.
    virtual void on_failure(int32_t id) = 0;

    // Abandons every outstanding request of this observer: their connections
    // are closed and none of them calls back.
    void cancel_requests();
    // Number of requests still outstanding for this observer.
    int32_t pending_requests() const { return int32_t(sockets_.size()); }

private:
    friend class orbel_socket;
    void attach(orbel_socket* socket);
    void detach(orbel_socket* socket);

    std::vector<orbel_socket*> sockets_;  // not owned
};
