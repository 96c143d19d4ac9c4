#include "emulator/vux_le_network.h"
#include "fake_engine.h"

#include "client/orbel_test_support.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace {

// Runs the event loop until the condition holds (or 10 s pass).
template <class F>
bool wait_for(F condition) {
    QDeadlineTimer deadline(10000);
    while (!condition() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// A loopback peer that reads the whole request, then answers with the
// scripted reply and closes (or stays open).
struct peer {
    QTcpServer server;
    QByteArray reply;
    bool close_after = true;
    qsizetype expect = 0;
    QByteArray request;
    peer() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* s = server.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                request += s->readAll();
                if (request.size() < expect) return;
                s->write(reply);
                if (close_after) s->disconnectFromHost();
            });
        });
    }
};

struct NetworkFixture : ::testing::Test {
    QApplication& app = orbel_test_app();  // the program's one application
    std::unique_ptr<vux_engine> engine{vux_engine_create()};
    vux_le_network net;
    vux_network_table t{};
    NetworkFixture() {
        net.set_engine(engine.get());
        t = net.table();
        t.set_host(t.user, "127.0.0.1");
    }
    ~NetworkFixture() override { fake_last_engine = nullptr; }
    int open(peer& p, const QByteArray& request) {
        p.expect = request.size();
        t.set_port(t.user, p.server.serverPort());
        return t.open_connection(t.user, reinterpret_cast<const uint8_t*>(request.constData()), int(request.size()));
    }
    int errors() const { return fake_count(*engine, "socket_error"); }
};

TEST_F(NetworkFixture, table_texts_and_port) {
    EXPECT_STREQ(t.connection_kinds(t.user), "network\nother");
    EXPECT_EQ(t.get_first_address(t.user), nullptr);
    t.set_first_address(t.user, "10.0.0.1");
    const char* first = t.get_first_address(t.user);
    const char* host = t.get_host(t.user);  // a second entry's text does not kill the first's
    EXPECT_STREQ(first, "10.0.0.1");
    EXPECT_STREQ(host, "127.0.0.1");
    t.set_port(t.user, 80);
    EXPECT_EQ(t.get_port(t.user), 80);
    t.close_connection(t.user, 12345);  // unknown ids are ignored
}

TEST_F(NetworkFixture, reply_arrives_in_pieces_then_two_ends_it) {
    peer p;
    p.reply = QByteArray(3000, 'r');
    engine->socket_data_results = {1, 1, 2};  // complete after the third piece
    const int id = open(p, "GET / HTTP/1.0\r\n\r\n");
    ASSERT_NE(id, 0);
    ASSERT_TRUE(wait_for([&] { return fake_count(*engine, "socket_data") == 3; }));
    // the peer's close after the engine said complete is no error
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(wait_for([&] { return p.request.size() == 18; }));
    for (int n : engine->piece_sizes) EXPECT_LE(n, 1024);
    EXPECT_EQ(engine->received, p.reply.left(qsizetype(engine->received.size())).toStdString());
    EXPECT_EQ(fake_count(*engine, "socket_ready"), 1);
    t.close_connection(t.user, id);
    QCoreApplication::processEvents();
    EXPECT_EQ(errors(), 0);
    EXPECT_EQ(fake_count(*engine, "socket_data"), 3);
}

TEST_F(NetworkFixture, zero_stops_every_further_call) {
    peer p;
    p.reply = QByteArray(5000, 'z');
    engine->socket_data_results = {0};
    ASSERT_NE(open(p, "x"), 0);
    ASSERT_TRUE(wait_for([&] { return fake_count(*engine, "socket_data") == 1; }));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(fake_count(*engine, "socket_data"), 1);
    EXPECT_EQ(errors(), 0);  // the peer's close is no longer reported either
}

TEST_F(NetworkFixture, failures_give_exactly_one_error_after_an_id) {
    struct row {
        const char* what;
        const char* host;
        bool listening;
    } rows[] = {{"early close", "127.0.0.1", true},
                {"refused", "127.0.0.1", false},
                {"unresolvable", "no-such-host.invalid", false}};
    for (const row& r : rows) {
        engine->calls.clear();
        peer p;
        p.reply = "partial";  // then close before the engine said complete
        quint16 port = p.server.serverPort();
        if (!r.listening) p.server.close();
        t.set_host(t.user, r.host);
        t.set_port(t.user, port);
        const int id = t.open_connection(t.user, reinterpret_cast<const uint8_t*>("req"), 3);
        EXPECT_NE(id, 0) << r.what;
        EXPECT_TRUE(wait_for([&] { return errors() == 1; })) << r.what;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        EXPECT_EQ(errors(), 1) << r.what;
        EXPECT_EQ(engine->calls.back(), "socket_error " + std::to_string(id)) << r.what;
        t.close_connection(t.user, id);
    }
}

TEST_F(NetworkFixture, a_large_request_arrives_whole_before_ready) {
    peer p;
    p.reply = "ok";
    const QByteArray big(1 << 20, 'b');
    ASSERT_NE(open(p, big), 0);
    ASSERT_TRUE(wait_for([&] { return fake_count(*engine, "socket_ready") == 1; }));
    ASSERT_TRUE(wait_for([&] { return p.request.size() == big.size(); }));
    EXPECT_EQ(p.request, big);
    EXPECT_EQ(fake_count(*engine, "socket_ready"), 1);
}

TEST_F(NetworkFixture, closing_from_inside_the_data_call_and_destroying_are_safe) {
    peer p;
    p.reply = QByteArray(4000, 'c');
    int id = 0;
    engine->inside = [&](const std::string& call) {
        if (call.rfind("socket_data", 0) == 0) t.close_connection(t.user, id);
    };
    id = open(p, "q");
    ASSERT_TRUE(wait_for([&] { return fake_count(*engine, "socket_data") == 1; }));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(fake_count(*engine, "socket_data"), 1);
    EXPECT_EQ(errors(), 0);
    EXPECT_EQ(net.open_count(), 0);
    engine->inside = nullptr;

    // ids stay unique while others are open
    peer q;
    q.expect = 1000;  // never answers
    const int a = open(q, "a");
    const int b = open(q, "b");
    EXPECT_NE(a, b);
    EXPECT_NE(a, id);
    EXPECT_NE(b, id);
}

TEST_F(NetworkFixture, nothing_reaches_the_engine_after_the_part_is_destroyed) {
    peer p;
    p.reply = "answer";
    auto other = std::make_unique<vux_le_network>();
    other->set_engine(engine.get());
    vux_network_table o = other->table();
    o.set_host(o.user, "127.0.0.1");
    o.set_port(o.user, p.server.serverPort());
    p.expect = 1;
    ASSERT_NE(o.open_connection(o.user, reinterpret_cast<const uint8_t*>("z"), 1), 0);
    other.reset();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_TRUE(engine->calls.empty());
}

}  // namespace
