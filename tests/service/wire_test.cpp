#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QTcpSocket>
#include "core/vux_hex.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_md5.h"
#include "desktop/transport/orbel_socket_list.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"
#include "transport/qt_test_app.h"
#include "transport/recording_observer.h"

namespace {

const QString local = QStringLiteral("127.0.0.1");

// The client's logon road: 3906, then 3908 with the digest of name,
// challenge and password, each reply taken by the acceptance rule.
class logon_observer : public orbel_socket_observer {
public:
    logon_observer(orbel_socket_list& list, quellmark_service& service, const char* name, const char* password)
        : list_(list), service_(service), name_(name), password_(password) {}

    void start() {
        vux_desktop_request_logon r;
        r.user_name = vux_string(name_);
        list_.send_request(r, service_.host(), service_.port(), service_.path(), this);
    }
    void on_reply(int32_t, const vux_buffer& body) override {
        if (auto l = vux_desktop_accept_as<vux_desktop_response_logon>(body)) {
            vux_desktop_request_verify r;
            r.user_name = vux_string(name_);
            r.digest = orbel_md5_hex(vux_string(name_) + vux_hex::format(l->challenge) + vux_string(password_));
            list_.send_request(r, service_.host(), service_.port(), service_.path(), this);
        } else if (auto v = vux_desktop_accept_as<vux_desktop_response_verify>(body)) {
            verified = std::move(v);
        } else {
            ++refused;
        }
    }
    void on_failure(int32_t) override { ++failures; }

    std::unique_ptr<vux_desktop_response_verify> verified;
    int refused = 0;
    int failures = 0;

private:
    orbel_socket_list& list_;
    quellmark_service& service_;
    const char* name_;
    const char* password_;
};

struct Wire : ::testing::Test {
    void SetUp() override {
        qt_test_app();
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
    }
    quellmark_service service;
    orbel_socket_list list;
};

TEST_F(Wire, logon_round_trip_reaches_on_reply_with_3909) {
    logon_observer o(list, service, "demo@quellmark.com", "demo1234");
    o.start();
    ASSERT_TRUE(qt_wait_for([&] { return o.verified || o.failures || o.refused; }));
    ASSERT_TRUE(o.verified);
    EXPECT_EQ(o.verified->result, 0);
    EXPECT_EQ(o.verified->host.str(), "127.0.0.1");
    EXPECT_EQ(o.verified->port, service.port());
    EXPECT_EQ(o.verified->path.str(), "/cs");
    EXPECT_EQ(service.served(vux_desktop_request_logon::code), 1);
    EXPECT_EQ(service.served(vux_desktop_request_verify::code), 1);

    // The session it brought opens the site list at the address it named.
    vux_desktop_request_group g;
    g.operation = 1;
    g.session.copy_from(o.verified->session);
    recording_observer list_observer;
    list.send_request(g, QString::fromStdString(o.verified->host.str()), quint16(o.verified->port),
                      QString::fromStdString(o.verified->path.str()), &list_observer);
    ASSERT_TRUE(qt_wait_for([&] { return list_observer.ends() == 1; }));
    ASSERT_EQ(list_observer.count(observer_event::reply), 1);
    const QByteArray& body = list_observer.log().back().body;
    auto groups = vux_desktop_accept_as<vux_desktop_response_group>(vux_link(body.constData(), int32_t(body.size())));
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups->result, 0);
    EXPECT_EQ(groups->document.groups.groups.count(), 8);

    logon_observer wrong(list, service, "demo@quellmark.com", "guess");
    wrong.start();
    ASSERT_TRUE(qt_wait_for([&] { return wrong.verified || wrong.failures || wrong.refused; }));
    ASSERT_TRUE(wrong.verified);
    EXPECT_EQ(wrong.verified->result, -1);
}

// Each fault as the client meets it: a reply that the acceptance rule takes
// or refuses, or a transport failure.
TEST_F(Wire, faults_on_demand) {
    enum outcome { accepted_with_status, refused_by_rule, transport_failure };
    struct row {
        const char* fault;
        outcome expect;
        int32_t status = 0;
    } rows[] = {
        {"status:7@3906", accepted_with_status, 7},
        {"wrong_code@3906", refused_by_rule},
        {"wrong_code:3909@3906", refused_by_rule},
        {"truncated@3906", refused_by_rule},
        {"truncated:1@3906", refused_by_rule},
        {"early_close@3906", transport_failure},
        {"early_close:60@3906", transport_failure},
        {"http_status:500@3906", transport_failure},
        {"http_status:404@3906", transport_failure},
        {"status:-1@3904", accepted_with_status, 0},  // another code: no effect
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.fault);
        quellmark_fault f;
        ASSERT_TRUE(quellmark_parse_fault(QString::fromLatin1(r.fault), f));
        service.clear_faults();
        service.add_fault(f);
        recording_observer o;
        vux_desktop_request_logon request;
        request.user_name = vux_string("demo@quellmark.com");
        list.send_request(request, local, service.port(), service.path(), &o);
        ASSERT_TRUE(qt_wait_for([&] { return o.ends() == 1; }));
        if (r.expect == transport_failure) {
            EXPECT_EQ(o.count(observer_event::failure), 1);
            continue;
        }
        ASSERT_EQ(o.count(observer_event::reply), 1);
        const QByteArray& body = o.log().back().body;
        auto response =
            vux_desktop_accept_as<vux_desktop_response_logon>(vux_link(body.constData(), int32_t(body.size())));
        if (r.expect == refused_by_rule) {
            EXPECT_FALSE(response);
        } else {
            ASSERT_TRUE(response);
            EXPECT_EQ(response->result, r.status);
        }
    }
}

TEST_F(Wire, delay_and_wearing_off) {
    quellmark_fault delay;
    delay.kind = quellmark_fault::delay;
    delay.value = 300;
    delay.times = 1;
    service.add_fault(delay);
    recording_observer o;
    vux_desktop_request_logon request;
    QElapsedTimer clock;
    clock.start();
    list.send_request(request, local, service.port(), service.path(), &o);
    ASSERT_TRUE(qt_wait_for([&] { return o.ends() == 1; }));
    EXPECT_GE(clock.elapsed(), 290);
    EXPECT_EQ(o.count(observer_event::reply), 1);
    // Used up: the next answer comes at once.
    clock.restart();
    list.send_request(request, local, service.port(), service.path(), &o);
    ASSERT_TRUE(qt_wait_for([&] { return o.ends() == 2; }));
    EXPECT_LT(clock.elapsed(), 290);
}

// What the service says on the wire to requests that are not its protocol.
TEST_F(Wire, http_answers) {
    vux_desktop_request_logon logon;
    logon.user_name = vux_string("demo@quellmark.com");
    const vux_buffer frame = vux_desktop_frame(logon);
    const QByteArray body(reinterpret_cast<const char*>(frame.data()), frame.length());
    // Every request has a handler of its own: take one away.
    ASSERT_TRUE(service.set_handler(vux_desktop_request_message::code, {}));
    vux_desktop_request_message unhandled;
    const vux_buffer unhandled_frame = vux_desktop_frame(unhandled);
    auto post = [](const QByteArray& headers, const QByteArray& b) {
        return "POST /cs HTTP/1.1\r\n" + headers + "Content-Length: " + QByteArray::number(b.size()) + "\r\n\r\n" + b;
    };
    struct row {
        const char* what;
        QByteArray request;
        QByteArray status_line;
    } rows[] = {
        {"good", post("Host: 127.0.0.1\r\n", body), "HTTP/1.1 200 OK\r\n"},
        {"host in any case", post("hOST: x\r\n", body), "HTTP/1.1 200 OK\r\n"},
        {"no Host", post("", body), "HTTP/1.1 400 Bad Request\r\n"},
        {"not a POST", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
        {"no Content-Length", "POST /cs HTTP/1.1\r\nHost: x\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
        {"not a frame", post("Host: x\r\n", "hello"), "HTTP/1.1 404 Not Found\r\n"},
        {"no handler",
         post("Host: x\r\n",
              QByteArray(reinterpret_cast<const char*>(unhandled_frame.data()), unhandled_frame.length())),
         "HTTP/1.1 404 Not Found\r\n"},
        {"cut frame", post("Host: x\r\n", body.left(body.size() - 1)), "HTTP/1.1 400 Bad Request\r\n"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        QTcpSocket peer;
        peer.connectToHost(local, service.port());
        ASSERT_TRUE(peer.waitForConnected(5000));
        peer.write(r.request);
        QByteArray reply;
        // The service closes after its answer.
        ASSERT_TRUE(qt_wait_for([&] {
            reply += peer.readAll();
            return peer.state() == QAbstractSocket::UnconnectedState;
        }));
        reply += peer.readAll();
        EXPECT_TRUE(reply.startsWith(r.status_line)) << reply.left(40).toStdString();
        const qsizetype end = reply.indexOf("\r\n\r\n");
        ASSERT_GT(end, 0);
        const QByteArray header = reply.left(end).toLower();
        const qsizetype at = header.indexOf("content-length: ");
        ASSERT_GE(at, 0);
        EXPECT_EQ(header.mid(at + 16).split('\r').first().toLongLong(), reply.size() - end - 4);
    }
}

}  // namespace
