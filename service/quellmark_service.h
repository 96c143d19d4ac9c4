#pragma once
#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "service/quellmark_fault.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

class QTcpServer;

// The local stand-in of the service: one POST per connection, framed request
// in, framed response out ("HTTP/1.1 200 OK", exact Content-Length), then the
// connection closes. Runs in-process on a loopback port for tests, and as the
// program quellmark_service.
class quellmark_service {
public:
    // What one connection sends back.
    struct answer {
        QByteArray bytes;      // the whole HTTP reply
        int64_t send = -1;     // bytes of it to send before closing; -1 all
        int64_t delay_ms = 0;  // wait before sending
    };

    // With every built-in handler and an empty state.
    quellmark_service();
    ~quellmark_service();
    quellmark_service(const quellmark_service&) = delete;
    quellmark_service& operator=(const quellmark_service&) = delete;

    quellmark_service_state& state() { return state_; }

    // Starts listening (port 0: any free port); false when it cannot.
    bool listen(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0);
    void close();
    quint16 port() const;
    QString host() const;
    // "host:port", as QUELLMARK_SERVICE takes it.
    QString address() const;
    // The path the verify reply names for later requests.
    QString path() const { return path_; }
    // Host and port the replies name as the service's own when they are not
    // the listening ones (behind a forwarder); empty host / port 0: listening.
    void set_public_address(const QString& host, quint16 port) {
        public_host_ = host;
        public_port_ = port;
    }

    // Replaces or adds the handler of one request code (an empty handler
    // removes it: the code then goes unanswered); false (and nothing changes)
    // for a code that is not a request of a message table, or that no
    // response of the table answers.
    bool set_handler(int32_t code, quellmark_handler handler);
    void add_fault(const quellmark_fault& fault) { faults_.push_back(fault); }
    void clear_faults() { faults_.clear(); }
    // Requests of this code answered so far (faults or not).
    int32_t served(int32_t code) const;
    // The most requests of this code read and not yet answered at one time
    // (tests: a client that keeps one request out never gets past 1).
    int32_t peak_in_flight(int32_t code) const;
    // A connection began or ended answering a request of this code.
    void note_in_flight(int32_t code, int32_t delta);
    // Client connections still open (taken, not yet closed and dropped).
    int32_t open_connections() const;

    // The response frame for a request frame, without faults; empty when the
    // request does not decode or no handler takes it.
    vux_buffer respond_frame(const vux_link& request);
    // The HTTP answer to a request's header and body, faults applied.
    answer respond(const QByteArray& header, const QByteArray& body);

private:
    quellmark_context context();
    static QByteArray http(int status, const QByteArray& body);

    quellmark_service_state state_;
    quellmark_handler_table handlers_;
    std::vector<quellmark_fault> faults_;
    std::map<int32_t, int32_t> served_;
    std::map<int32_t, int32_t> in_flight_;
    std::map<int32_t, int32_t> peak_in_flight_;
    QString path_ = QStringLiteral("/cs");
    QString public_host_;
    quint16 public_port_ = 0;
    // Last, so its connections go before the state they answer from.
    std::unique_ptr<QTcpServer> server_;
};
