#include <gtest/gtest.h>
#include <QByteArray>
#include <QTcpServer>
#include <memory>
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "desktop/transport/orbel_socket_list.h"
#include "transport/loopback_server.h"
#include "transport/qt_test_app.h"
#include "transport/recording_observer.h"

namespace {

const QString local = QStringLiteral("127.0.0.1");
const QString path = QStringLiteral("/cs");

// A request whose fields are the given bytes (a byte block on the wire).
vux_buffer payload(int32_t n, uint8_t seed = 7) {
    vux_buffer b;
    b.resize(n);
    for (int32_t i = 0; i < n; ++i) b.pointer()[i] = uint8_t(seed + i * 31);
    return b;
}

QByteArray bytes_of(const vux_buffer& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), b.length()); }

QByteArray body_of(int n) { return bytes_of(payload(n, 3)); }

// A port nobody listens on: taken from a server that is closed again.
quint16 dead_port() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}

struct Transport : ::testing::Test {
    void SetUp() override { qt_test_app(); }
    orbel_socket_list list;
    recording_observer observer;

    int32_t send(quint16 port, int32_t request_bytes = 16, const QString& host = local, const QString& at = path) {
        return list.send_request(payload(request_bytes), host, port, at, &observer);
    }
    bool wait_end(int ms = 10000) {
        return qt_wait_for([&] { return observer.ends() > 0; }, ms);
    }
    // Waits until no request of the list is running and every connection
    // the server saw is closed, then delivers what is still queued: after
    // it no observer can be called any more.
    void settle(const loopback_server* server = nullptr) {
        ASSERT_TRUE(qt_wait_for(
            [&] { return list.active_count() == 0 && (!server || server->closed() == server->connections()); }));
        qt_drain();
    }
};

TEST_F(Transport, request_is_a_post_with_host_and_exact_length) {
    loopback_server server([](QTcpSocket& peer, const QByteArray&) { peer.write(loopback_server::ok_reply("x")); });
    const vux_buffer request = payload(17);
    const int32_t id = list.send_request(request, local, server.port(), path, &observer);
    ASSERT_TRUE(wait_end());
    vux_buffer frame;
    vux_writer::frame(request, frame);
    EXPECT_EQ(server.last_request(), "POST /cs HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                                         QByteArray::number(frame.length()) + "\r\n\r\n" + bytes_of(frame));
    ASSERT_EQ(observer.log().size(), 1u);
    EXPECT_EQ(observer.log()[0].kind, observer_event::reply);
    EXPECT_EQ(observer.log()[0].id, id);
    EXPECT_EQ(observer.log()[0].body, "x");
}

// Progress comes for every piece that leaves the reply incomplete once the
// Content-Length is known, then exactly one reply with the whole body.
TEST_F(Transport, reply_in_three_pieces) {
    const QByteArray body = body_of(300);
    const QByteArray reply = loopback_server::ok_reply(body);
    const int header = int(reply.size() - body.size());
    struct plan {
        int first, second;              // cut points in the reply
        std::vector<int64_t> progress;  // body bytes reported
    };
    const plan plans[] = {
        {10, header + 100, {100}},             // first piece ends inside the header
        {header, header + 100, {0, 100}},      // first piece is the header alone
        {header + 1, header + 299, {1, 299}},  // body pieces of one byte and all but one
    };
    for (const plan& p : plans) {
        SCOPED_TRACE(p.first);
        recording_observer o;
        loopback_server server([&](QTcpSocket& peer, const QByteArray&) {
            loopback_server::send_pieces(
                peer, {reply.left(p.first), reply.mid(p.first, p.second - p.first), reply.mid(p.second)});
        });
        list.send_request(payload(16), local, server.port(), path, &o);
        ASSERT_TRUE(qt_wait_for([&] { return o.ends() > 0; }));
        ASSERT_EQ(o.log().size(), p.progress.size() + 1);
        for (size_t i = 0; i < p.progress.size(); ++i) {
            EXPECT_EQ(o.log()[i].kind, observer_event::progress);
            EXPECT_EQ(o.log()[i].expected, body.size());
            EXPECT_EQ(o.log()[i].received, p.progress[i]);
        }
        EXPECT_EQ(o.log().back().kind, observer_event::reply);
        EXPECT_EQ(o.log().back().body, body);
        settle(&server);
        EXPECT_EQ(o.ends(), 1);
    }
}

// Every way a request can go wrong ends in exactly one on_failure, reported
// from the event loop and never from inside send_request.
TEST_F(Transport, every_failure_is_one_on_failure) {
    const QByteArray body = body_of(25);
    auto answer = [](QByteArray bytes, bool close) {
        return [bytes, close](QTcpSocket& peer, const QByteArray&) {
            peer.write(bytes);
            peer.flush();
            if (close) peer.disconnectFromHost();
        };
    };
    struct fault {
        const char* name;
        loopback_server::script script;
        quint16 port = 0;  // 0: the scripted server
        QString host = local;
        QString at = path;
        const vux_object* request = nullptr;  // null: a 16-byte payload
    };
    // A request whose frame would pass the buffer cap.
    struct oversized : vux_object {
        void write(vux_writer& w) const override { w.buffer().reserve(int32_t(vux_buffer::max_capacity)); }
    } too_large;
    const vux_buffer small = payload(16);
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Length: 25\r\n\r\n";
    std::vector<fault> faults = {
        {"refused", {}, dead_port()},
        {"unresolvable host", {}, 80, QStringLiteral("no-such-host.invalid")},
        {"status 404", answer("HTTP/1.1 404 Not Found\r\nContent-Length: 25\r\n\r\n" + body, false)},
        {"status 500 then close", answer("HTTP/1.1 500 Internal Server Error\r\n\r\n", true)},
        {"no Content-Length", answer("HTTP/1.1 200 OK\r\nServer: x\r\n\r\n" + body, false)},
        {"Content-Length 0", answer("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false)},
        {"more bytes than announced", answer(head + body + "!", false)},
        {"header not ended in 512 bytes", answer("HTTP/1.1 200 OK\r\nX: " + QByteArray(600, 'a'), false)},
        {"close before the whole reply", answer(head + body.left(10), true)},
        {"close without a reply", answer({}, true)},
        {"abort without a reply", [](QTcpSocket& peer, const QByteArray&) { peer.abort(); }},
        {"line break in the path", {}, 0, local, QStringLiteral("/cs\r\nX: y")},
        {"request too large to frame", answer(head + body, false), 0, local, path, &too_large},
    };
    for (fault& f : faults) {
        SCOPED_TRACE(f.name);
        recording_observer o;
        loopback_server server(f.script);
        const quint16 port = f.port ? f.port : server.port();
        const int32_t id = list.send_request(f.request ? *f.request : small, f.host, port, f.at, &o);
        EXPECT_TRUE(o.log().empty());
        ASSERT_TRUE(qt_wait_for([&] { return o.ends() > 0; }, 20000));
        settle(&server);
        EXPECT_EQ(o.count(observer_event::failure), 1);
        EXPECT_EQ(o.count(observer_event::reply), 0);
        EXPECT_EQ(o.log().back().id, id);
        EXPECT_EQ(o.pending_requests(), 0);
    }
}

TEST_F(Transport, close_before_the_whole_request_was_sent) {
    // The peer takes a little and hangs up while most of a large request is
    // still on its way.
    loopback_server server;
    server.set_read_buffer(4096);
    server.set_on_bytes([](QTcpSocket& peer, const QByteArray& received) {
        if (received.size() >= 1000) peer.abort();
    });
    send(server.port(), 32 << 20);
    ASSERT_TRUE(wait_end(30000));
    settle(&server);
    EXPECT_EQ(observer.count(observer_event::failure), 1);
    EXPECT_EQ(observer.ends(), 1);
}

TEST_F(Transport, stalled_connection_times_out) {
    loopback_server server([](QTcpSocket&, const QByteArray&) {});  // takes the request, never answers
    list.set_inactivity_timeout(std::chrono::milliseconds(300));
    send(server.port());
    ASSERT_TRUE(wait_end());
    EXPECT_EQ(observer.count(observer_event::failure), 1);
    EXPECT_TRUE(qt_wait_for([&] { return server.closed() == 1; }));
}

TEST_F(Transport, slow_reply_with_steady_bytes_does_not_time_out) {
    // The limit is on silence, not on the whole exchange.
    const QByteArray reply = loopback_server::ok_reply(body_of(6));
    loopback_server server([&](QTcpSocket& peer, const QByteArray&) {
        QList<QByteArray> pieces;
        for (char c : reply) pieces.append(QByteArray(1, c));
        loopback_server::send_pieces(peer, pieces, 10);
    });
    list.set_inactivity_timeout(std::chrono::milliseconds(150));
    send(server.port());
    ASSERT_TRUE(wait_end());
    EXPECT_EQ(observer.count(observer_event::reply), 1);
}

TEST_F(Transport, megabyte_reply_and_request) {
    const QByteArray body = body_of(1 << 20);
    loopback_server server([&](QTcpSocket& peer, const QByteArray&) { peer.write(loopback_server::ok_reply(body)); });
    send(server.port(), 1 << 20);
    ASSERT_TRUE(wait_end());
    ASSERT_EQ(observer.count(observer_event::reply), 1);
    EXPECT_EQ(observer.log().back().body, body);
    // The whole upload reached the peer.
    EXPECT_GT(server.last_request().size(), 1 << 20);
    int64_t last = -1;
    for (const auto& e : observer.log()) {
        if (e.kind != observer_event::progress) continue;
        EXPECT_EQ(e.expected, body.size());
        EXPECT_GT(e.received, last);
        EXPECT_LT(e.received, body.size());
        last = e.received;
    }
}

TEST_F(Transport, observer_destroyed_in_flight_is_never_called) {
    auto log = std::make_shared<observer_log>();
    QTcpSocket* held = nullptr;
    loopback_server server([&](QTcpSocket& peer, const QByteArray&) { held = &peer; });
    auto doomed = std::make_unique<recording_observer>(log);
    list.send_request(payload(16), local, server.port(), path, doomed.get());
    ASSERT_TRUE(qt_wait_for([&] { return held != nullptr; }));
    doomed.reset();
    // The connection is closed at once; a late reply reaches nobody.
    EXPECT_TRUE(qt_wait_for([&] { return server.closed() == 1; }));
    EXPECT_EQ(list.active_count(), 0);
    settle(&server);
    EXPECT_TRUE(log->empty());

    // Destroyed before the connection was even attempted.
    doomed = std::make_unique<recording_observer>(log);
    list.send_request(payload(16), local, dead_port(), path, doomed.get());
    doomed.reset();
    settle();
    EXPECT_TRUE(log->empty());
}

TEST_F(Transport, cancel_requests_silences_every_request_of_the_observer) {
    loopback_server server([](QTcpSocket& peer, const QByteArray&) {
        loopback_server::send_pieces(peer, {"HTTP/1.1 200 OK\r\n", "Content-Length: 1\r\n\r\nx"}, 200);
    });
    recording_observer other;
    send(server.port());
    send(server.port());
    list.send_request(payload(16), local, server.port(), path, &other);
    EXPECT_EQ(observer.pending_requests(), 2);
    observer.cancel_requests();
    EXPECT_EQ(observer.pending_requests(), 0);
    ASSERT_TRUE(qt_wait_for([&] { return other.ends() == 1; }));
    settle(&server);
    EXPECT_TRUE(observer.log().empty());
    EXPECT_EQ(other.count(observer_event::reply), 1);
}

TEST_F(Transport, ids_count_from_one_and_finished_sockets_are_purged_later) {
    loopback_server server([](QTcpSocket& peer, const QByteArray&) { peer.write(loopback_server::ok_reply("ok")); });
    EXPECT_EQ(send(server.port()), 1);
    EXPECT_EQ(send(server.port()), 2);
    EXPECT_EQ(list.count(), 2);
    // At the moment of the reply the socket is still held; it goes on the
    // next turn of the event loop.
    int held_at_reply = -1;
    observer.after_end = [&] { held_at_reply = list.count(); };
    ASSERT_TRUE(qt_wait_for([&] { return observer.ends() == 2; }));
    EXPECT_GE(held_at_reply, 1);
    EXPECT_TRUE(qt_wait_for([&] { return list.count() == 0; }));

    // Without queued purges they stay until asked for.
    list.set_purge_when_finished(false);
    EXPECT_EQ(send(server.port()), 3);
    ASSERT_TRUE(qt_wait_for([&] { return observer.ends() == 3; }));
    qt_drain();  // a purge queued by mistake would run here
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.active_count(), 0);
    list.purge_finished();
    EXPECT_EQ(list.count(), 0);
}

TEST_F(Transport, observer_may_send_again_or_die_inside_its_call) {
    loopback_server server([](QTcpSocket& peer, const QByteArray&) { peer.write(loopback_server::ok_reply("ok")); });
    // A second request from inside on_reply, and a purge asked for there.
    int sent = 0;
    observer.after_end = [&] {
        list.purge_finished();
        if (sent++ == 0) send(server.port());
    };
    send(server.port());
    ASSERT_TRUE(qt_wait_for([&] { return observer.ends() == 2; }));
    EXPECT_EQ(observer.count(observer_event::reply), 2);

    // An observer that deletes itself in on_failure, with a second request
    // of its own still outstanding.
    auto log = std::make_shared<observer_log>();
    auto self_deleting = std::make_unique<recording_observer>(log);
    self_deleting->after_end = [&] { self_deleting.reset(); };
    list.send_request(payload(16), local, dead_port(), path, self_deleting.get());
    list.send_request(payload(16), local, server.port(), path, self_deleting.get());
    ASSERT_TRUE(qt_wait_for([&] { return !self_deleting; }));
    settle(&server);
    EXPECT_EQ(log->size(), 1u);

    // One that deletes itself on the first progress, inside the socket's own
    // read notification.
    loopback_server slow([](QTcpSocket& peer, const QByteArray&) {
        loopback_server::send_pieces(peer, {"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nab", "cd"}, 100);
    });
    log->clear();
    self_deleting = std::make_unique<recording_observer>(log);
    self_deleting->after_progress = [&] { self_deleting.reset(); };
    list.send_request(payload(16), local, slow.port(), path, self_deleting.get());
    ASSERT_TRUE(qt_wait_for([&] { return !self_deleting; }));
    EXPECT_TRUE(qt_wait_for([&] { return slow.closed() == 1; }));
    settle(&slow);
    ASSERT_EQ(log->size(), 1u);
    EXPECT_EQ(log->front().kind, observer_event::progress);
}

TEST_F(Transport, list_destroyed_with_requests_in_flight_calls_nobody) {
    loopback_server server([](QTcpSocket&, const QByteArray&) {});
    {
        orbel_socket_list short_lived;
        short_lived.send_request(payload(16), local, server.port(), path, &observer);
        short_lived.send_request(payload(16), local, dead_port(), path, &observer);
        ASSERT_TRUE(qt_wait_for([&] { return server.connections() == 1; }));
    }
    EXPECT_EQ(observer.pending_requests(), 0);
    settle(&server);
    EXPECT_TRUE(observer.log().empty());
}

}  // namespace
