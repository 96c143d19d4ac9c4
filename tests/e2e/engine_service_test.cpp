#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdlib>
#include <string>
#include "core/vux_reader.h"
#include "markup/runtime/vux_private.h"
#include "qt_network_table.h"
#include "resources/markup/vux_builtin_document.h"
#include "service/quellmark_fault.h"
#include "service/quellmark_service.h"
#include "service/sign_in.h"
#include "toolkit/vux_dumper.h"
#include "vux_fake_host.h"

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "e2e";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

// The JSON dump of a reply's document, or empty when it is not a whole one.
std::string dump_reply(const std::string& http) {
    const size_t body = http.find("\r\n\r\n");
    if (body == std::string::npos) return {};
    vux_dump_result d = vux_dump_stream(vux_link(http.data() + body + 4, int32_t(http.size() - body - 4)), true);
    return d.ok ? d.out : std::string();
}

// One phone: the built-in document on the fake host, its network over
// loopback to the service, ticked by a timer at the host's rate.
struct phone {
    vux_fake_host host;
    vux_engine* e = vux_engine_create();
    qt_network_table network;
    QTimer timer;
    int tick = 0;

    phone(quellmark_service& service, const std::string& store, const std::string& desktop_session)
        : network(e, service.host().toStdString(), service.port()) {
        host.attach(e);
        vux_engine_set_network(e, &network.table);
        if (!desktop_session.empty()) host.answer("facility.session_text", desktop_session);
        vux_engine_load_private(e, reinterpret_cast<const uint8_t*>(store.data()), int(store.size()));
        vux_engine_start_document(e, vux_builtin_document_data, vux_builtin_document_size);
        QObject::connect(&timer, &QTimer::timeout, [this] { vux_engine_tick(e, ++tick); });
        timer.start(1000 / 7);
        vux_engine_call_function(e, "__function_no_exit");
    }
    ~phone() {
        timer.stop();
        vux_engine_destroy(e);
    }
    std::string variable(const char* name) {
        char* v = vux_engine_get_variable(e, name);
        std::string out = v ? v : "";
        std::free(v);
        return out;
    }
    // Every whole reply's dump, joined.
    std::string dumps() const {
        std::string all;
        for (const std::string& r : network.replies()) all += dump_reply(r);
        return all;
    }
};

// The demo administrator with the first demo site selected.
const std::string demo_site = "demo@quellmark.com q0000101";

struct EngineService : ::testing::Test {
    void SetUp() override {
        app();
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
    }
    quellmark_service service;

    // The phone has entered and a poll after that many was answered.
    bool entered(phone& p, int polls_before = 0) {
        return QTest::qWaitFor(
            [&] { return p.variable("__window_site") == "ok" && service.served(1306) > polls_before; }, 20000);
    }
};

TEST_F(EngineService, fresh_phone_registers_enters_polls_and_keeps_its_credentials_then_logs_on) {
    std::string store;
    {
        phone p(service, "", demo_site);
        ASSERT_TRUE(entered(p)) << p.dumps();
        EXPECT_EQ(service.served(1308), 1);
        EXPECT_EQ(service.served(1304), 0);
        EXPECT_EQ(service.served(1300), 1);
        EXPECT_EQ(p.variable("__dialog_error_text"), "");

        // The site's window and texts arrived in the enter reply.
        const std::string shown = p.dumps();
        for (const char* text : {"\"__window_site\"", "河畔跑团", "春季接力赛", "夏天几点开始跑？", "7:00：9 票"})
            EXPECT_NE(shown.find(text), std::string::npos) << text;

        store = p.host.saved_store;
        vux_private saved;
        saved.credentials.device_key(vux_string("460001234567890"));
        vux_link link(reinterpret_cast<const uint8_t*>(store.data()), int32_t(store.size()));
        vux_reader reader(link);
        saved.read(reader);
        vux_string user;
        ASSERT_TRUE(saved.credentials.get_user(user));
        EXPECT_EQ(user.str(), "m1");
    }
    // The next start logs on with what was kept, and enters again.
    phone again(service, store, demo_site);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return service.served(1300) == 2 && again.variable("__window_site") == "ok"; }, 20000));
    EXPECT_EQ(service.served(1304), 1);
    EXPECT_EQ(service.served(1308), 1);
}

TEST_F(EngineService, enter_is_retried_after_a_bad_gateway_and_an_early_close) {
    quellmark_fault bad_gateway;
    bad_gateway.kind = quellmark_fault::http_status;
    bad_gateway.value = 502;
    quellmark_fault early_close;  // cut inside the status line
    early_close.kind = quellmark_fault::early_close;
    early_close.value = 5;
    for (quellmark_fault fault : {bad_gateway, early_close}) {
        SCOPED_TRACE(fault.kind);
        fault.code = 1300;
        fault.times = 1;
        service.add_fault(fault);
        const int enters = service.served(1300), polls = service.served(1306);
        phone p(service, "", demo_site);
        ASSERT_TRUE(entered(p, polls)) << p.dumps();
        EXPECT_EQ(service.served(1300), enters + 2);  // the refused enter, then its retry
        EXPECT_EQ(p.variable("__dialog_error_text"), "");
    }
}

TEST_F(EngineService, phone_shows_the_site_of_the_administrator_it_names) {
    // The administrator signs in on the desktop and selects another site;
    // the phone names the desktop session and that site.
    const vux_desktop_session desktop = sign_in(service, "demo@quellmark.com", "demo1234");
    ASSERT_NE(desktop.id, 0);
    phone p(service, "", desktop.text1.str() + " q0000103");
    ASSERT_TRUE(entered(p)) << p.dumps();
    EXPECT_NE(p.dumps().find("\"title\":\"旧城摄影社\""), std::string::npos);

    // A paused site is not shown: the home page, without it, instead.
    phone paused(service, "", desktop.text1.str() + " q0000102");
    ASSERT_TRUE(QTest::qWaitFor([&] { return paused.variable("__window_home") == "ok"; }, 20000)) << paused.dumps();
    EXPECT_EQ(paused.dumps().find("Lakeside Book Club"), std::string::npos);
    EXPECT_NE(paused.dumps().find("河畔跑团"), std::string::npos);
}

}  // namespace
