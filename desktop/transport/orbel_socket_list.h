#pragma once
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

class QObject;
class vux_http_body_sink;
class vux_object;
class orbel_socket;
class orbel_socket_observer;

// Owns every live request socket of a program. A finished socket is never
// deleted inside its own events: it stays in the list until purge_finished,
// which the list queues on the event loop by itself unless told not to.
class orbel_socket_list {
public:
    // No byte in either direction for this long ends a request in on_failure.
    static constexpr std::chrono::milliseconds default_inactivity_timeout{60000};

    orbel_socket_list();
    orbel_socket_list(const orbel_socket_list&) = delete;
    orbel_socket_list& operator=(const orbel_socket_list&) = delete;
    // Closes every connection; no observer is called.
    ~orbel_socket_list();

    // Frames the request, posts it to host:port at path on a socket of its
    // own and returns the request id (a counter from 1, never reused within
    // the list). Every outcome reaches the observer later, from the event loop.
    // With a body sink, the reply's body goes to the sink as it arrives (up
    // to the parser's streamed cap) and on_reply gets an empty body; the
    // sink must live as long as the observer.
    int32_t send_request(const vux_object& request, const QString& host, quint16 port, const QString& path,
                         orbel_socket_observer* observer, vux_http_body_sink* body_sink = nullptr);

    // Deletes every finished socket.
    void purge_finished();
    // true (the default): a purge is queued on the event loop whenever a
    // socket finishes. false: finished sockets wait for purge_finished or
    // the list's destruction.
    void set_purge_when_finished(bool on) { purge_when_finished_ = on; }
    void set_inactivity_timeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // Sockets held, finished or not.
    int32_t count() const { return int32_t(sockets_.size()); }
    // Sockets still waiting for their outcome.
    int32_t active_count() const;

private:
    void socket_finished();
    int32_t next_id();

    std::vector<std::unique_ptr<orbel_socket>> sockets_;
    // Context of queued purges: deleting it drops a purge still queued.
    std::unique_ptr<QObject> context_;
    std::chrono::milliseconds timeout_ = default_inactivity_timeout;
    int32_t last_id_ = 0;
    bool purge_when_finished_ = true;
    bool purge_queued_ = false;
};
