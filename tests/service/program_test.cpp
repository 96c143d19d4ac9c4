#include <gtest/gtest.h>
#include <QProcess>
#include <QTemporaryDir>
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_md5.h"
#include "desktop/transport/orbel_service_address.h"
#include "desktop/transport/orbel_socket_list.h"
#include "desktop/vux_desktop_accept.h"
#include "transport/qt_test_app.h"
#include "transport/recording_observer.h"

namespace {

// The program as scripts start it: it prints "host:port" and serves there.
struct running_service {
    explicit running_service(QStringList args) {
        qt_test_app();
        process.start(QStringLiteral(QUELLMARK_SERVICE_PATH), args);
        started = process.waitForStarted(10000) &&
                  qt_wait_for([&] { return process.canReadLine() || process.state() != QProcess::Running; });
        if (started) line = QString::fromUtf8(process.readLine()).trimmed();
    }
    ~running_service() {
        process.kill();
        process.waitForFinished(5000);
    }
    QProcess process;
    bool started = false;
    QString line;
};

template <class Response>
std::unique_ptr<Response> exchange(const orbel_service_address& at, const vux_object& request) {
    orbel_socket_list list;
    recording_observer o;
    list.send_request(request, at.host, at.port, at.path, &o);
    if (!qt_wait_for([&] { return o.ends() == 1; }) || o.count(observer_event::reply) != 1) return nullptr;
    const QByteArray& body = o.log().back().body;
    return vux_desktop_accept_as<Response>(vux_link(body.constData(), int32_t(body.size())));
}

TEST(Program, prints_its_address_and_answers_there) {
    QTemporaryDir dir;
    const QString client = dir.filePath(QStringLiteral("orbel"));
    QFile f(client);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("client bytes");
    f.close();

    running_service s({QStringLiteral("--client"), client, QStringLiteral("0")});
    ASSERT_TRUE(s.started);
    orbel_service_address at = orbel_service_builtin_address();
    ASSERT_TRUE(orbel_parse_service_address(s.line, at)) << s.line.toStdString();
    EXPECT_EQ(at.host, QStringLiteral("127.0.0.1"));
    EXPECT_NE(at.port, 0);

    vux_desktop_request_logon logon;
    logon.user_name = vux_string("demo@quellmark.com");
    auto l = exchange<vux_desktop_response_logon>(at, logon);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->verify_mode, 1);

    // The launcher's check against the file given on the command line.
    vux_desktop_request_upgrade u;
    u.application_id = vux_string(vux_desktop_application_id);
    u.digest = orbel_md5_hex(vux_string("client bytes"));
    auto current = exchange<vux_desktop_response_upgrade>(at, u);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->upgrade, 0);
    u.digest = vux_string("");
    auto stale = exchange<vux_desktop_response_upgrade>(at, u);
    ASSERT_TRUE(stale);
    EXPECT_EQ(stale->upgrade, 1);
    EXPECT_EQ(stale->port, at.port);
}

TEST(Program, faults_from_the_command_line) {
    running_service s({QStringLiteral("--fault"), QStringLiteral("status:9@3906")});
    ASSERT_TRUE(s.started);
    orbel_service_address at = orbel_service_builtin_address();
    ASSERT_TRUE(orbel_parse_service_address(s.line, at));
    vux_desktop_request_logon logon;
    auto l = exchange<vux_desktop_response_logon>(at, logon);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->result, 9);
}

TEST(Program, refuses_bad_arguments) {
    const QStringList bad[] = {{QStringLiteral("70000")},
                               {QStringLiteral("--fault"), QStringLiteral("sometimes")},
                               {QStringLiteral("--data"), QStringLiteral("/no/such/file.json")}};
    for (const QStringList& args : bad) {
        QProcess p;
        p.start(QStringLiteral(QUELLMARK_SERVICE_PATH), args);
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    }
}

}  // namespace
