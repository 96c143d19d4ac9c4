#pragma once
#include <QObject>
#include <cstdint>
#include <map>
#include <memory>

#include "core/vux_record.h"
#include "desktop/transport/orbel_socket_observer.h"

// The one way a window takes the replies of its requests. The window sends
// through the socket list and names the response code it awaits (`expect`);
// each reply of an awaited request is checked by the acceptance rule and
// decoded once, straight from the transport's buffer, and reaches the window
// later, from the event loop: message boxes and dialogs run event loops of
// their own and must never run inside the transport's call. A reply or
// failure still queued when the window goes is dropped with it.
class orbel_reply_path : public orbel_socket_observer {
public:
    orbel_reply_path() = default;

    void on_reply(int32_t id, const vux_buffer& body) final;
    void on_failure(int32_t id) final;

protected:
    // The request `id` awaits a response of `code`.
    void expect(int32_t id, int32_t code) { awaited_[id] = code; }
    // Whether any awaited request is still out.
    bool expecting() const { return !awaited_.empty(); }
    // Stops awaiting every request; their outcomes are ignored.
    void forget_replies() { awaited_.clear(); }

    // The decoded reply of an awaited request, with the code it was awaited
    // with; null when the acceptance rule refused the frame.
    virtual void take_reply(int32_t code, std::unique_ptr<vux_record> reply) = 0;
    // An awaited request failed in the transport.
    virtual void take_failure() = 0;
    // False while the window takes no outcome (it is not waiting any more).
    virtual bool takes_replies() const { return true; }

    // The reply as its response class (the class of the awaited code).
    template <class T>
    static std::unique_ptr<T> reply_as(std::unique_ptr<vux_record> reply) {
        if (!dynamic_cast<T*>(reply.get())) return nullptr;
        return std::unique_ptr<T>(static_cast<T*>(reply.release()));
    }

private:
    // Takes the awaited code of `id` off the list; 0 when it is not awaited
    // (or the window takes no outcome now).
    int32_t take_awaited(int32_t id);

    std::map<int32_t, int32_t> awaited_;  // request id -> response code
    // Context of the queued deliveries: going with the window, it drops them.
    QObject context_;
};
