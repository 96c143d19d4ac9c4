#include <gtest/gtest.h>
#include <QColor>
#include <QImage>
#include <memory>
#include "core/vux_hex.h"
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_md5.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"

namespace {

// Asks the service in-process and takes the answer by the system's one
// acceptance rule, as every handler of the client does.
template <class Response>
std::unique_ptr<Response> ask(quellmark_service& service, const vux_object& request) {
    const vux_buffer frame = vux_desktop_frame(request);
    const vux_buffer reply = service.respond_frame(frame);
    return vux_desktop_accept_as<Response>(reply);
}

vux_string digest_of(const char* name, int32_t challenge, const char* password) {
    return orbel_md5_hex(vux_string(name) + vux_hex::format(challenge) + vux_string(password));
}

struct Handlers : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(service.state().load_demo()); }
    quellmark_service service;

    std::unique_ptr<vux_desktop_response_logon> logon(const char* name) {
        vux_desktop_request_logon r;
        r.user_name = vux_string(name);
        return ask<vux_desktop_response_logon>(service, r);
    }
    std::unique_ptr<vux_desktop_response_verify> verify(const char* name, const vux_string& digest) {
        vux_desktop_request_verify r;
        r.user_name = vux_string(name);
        r.digest = digest;
        return ask<vux_desktop_response_verify>(service, r);
    }
    vux_desktop_session sign_in() {
        auto l = logon("demo@quellmark.com");
        auto v = verify("demo@quellmark.com", digest_of("demo@quellmark.com", l->challenge, "demo1234"));
        EXPECT_EQ(v->result, 0);
        vux_desktop_session s;
        s.copy_from(v->session);
        return s;
    }
};

TEST_F(Handlers, logon_answers) {
    struct row {
        const char* name;
        int32_t result, verify_mode;
    } rows[] = {
        {"demo@quellmark.com", 0, 1},    {"Demo@QuellMark.COM", 0, 1},  // names are compared lower-cased
        {"pending@quellmark.com", 0, 0},                                // not activated: no challenge
        {"nobody@quellmark.com", -1, 0}, {"", -1, 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        auto response = logon(r.name);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->result, r.result);
        EXPECT_EQ(response->verify_mode, r.verify_mode);
        if (r.verify_mode == 0) {
            EXPECT_EQ(response->challenge, 0);
        }
    }
    // A fresh challenge each time.
    EXPECT_NE(logon("demo@quellmark.com")->challenge, logon("demo@quellmark.com")->challenge);
}

TEST_F(Handlers, verify_checks_the_digest_of_the_latest_challenge_once) {
    const char* name = "demo@quellmark.com";
    const int32_t first = logon(name)->challenge;
    const int32_t latest = logon(name)->challenge;
    // Only the latest challenge counts, and it counts once.
    EXPECT_EQ(verify(name, digest_of(name, first, "demo1234"))->result, -1);
    EXPECT_EQ(verify(name, digest_of(name, latest, "demo1234"))->result, -1);

    auto digest_for = [&](const char* password, int32_t c) { return digest_of(name, c, password); };
    int32_t c = logon(name)->challenge;
    EXPECT_EQ(verify(name, digest_for("wrong", c))->result, -1);
    c = logon(name)->challenge;
    vux_string upper = digest_for("demo1234", c);
    upper.to_upper();  // the digest is compared exactly as the client writes it
    EXPECT_EQ(verify(name, upper)->result, -1);
    EXPECT_EQ(verify("nobody@quellmark.com", digest_for("demo1234", 0))->result, -1);
    EXPECT_EQ(verify("pending@quellmark.com", digest_of("pending@quellmark.com", 0, "pending1234"))->result, -1);

    c = logon("DEMO@quellmark.com")->challenge;
    auto ok = verify(name, digest_for("demo1234", c));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->result, 0);
    EXPECT_EQ(ok->path.str(), "/cs");
    EXPECT_NE(ok->session.id, 0);
    EXPECT_EQ(ok->session.account.str(), name);
    EXPECT_FALSE(ok->session.text1.empty());
}

TEST_F(Handlers, digest_enters_a_small_challenge_with_leading_zeros) {
    // The service's check and the client's computation meet on "%08x".
    service.state().set_challenge_source([] { return uint32_t(0x2a); });
    const char* name = "demo@quellmark.com";
    ASSERT_EQ(logon(name)->challenge, 0x2a);
    EXPECT_EQ(verify(name, orbel_md5_hex(vux_string("demo@quellmark.com0000002ademo1234")))->result, 0);
    ASSERT_EQ(logon(name)->challenge, 0x2a);
    EXPECT_EQ(verify(name, orbel_md5_hex(vux_string("demo@quellmark.com2ademo1234")))->result, -1);
}

TEST_F(Handlers, profile_and_site_list_need_the_session) {
    const vux_desktop_session session = sign_in();

    vux_desktop_request_profile p;
    p.session.copy_from(session);
    auto profile = ask<vux_desktop_response_profile>(service, p);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->result, 0);
    EXPECT_EQ(profile->flag, 0);
    EXPECT_EQ(profile->profile.value, 1);

    vux_desktop_request_group g;
    g.operation = 1;
    g.session.copy_from(session);
    auto list = ask<vux_desktop_response_group>(service, g);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->result, 0);
    ASSERT_EQ(list->document.groups.groups.count(), 8);
    EXPECT_EQ(list->document.groups.text.str(), "q0000101");
    EXPECT_EQ(list->document.groups.groups.at(0)->name.str(), "q0000101");
    EXPECT_EQ(list->document.groups.groups.at(0)->display_name.str(), "河畔跑团");
    EXPECT_EQ(list->document.groups.groups.at(2)->state, 1);

    // A session the service never handed out, or one with a changed token.
    vux_desktop_session forged;
    forged.copy_from(session);
    forged.text1 = vux_string("0123");
    p.session.copy_from(forged);
    EXPECT_EQ(ask<vux_desktop_response_profile>(service, p)->result, quellmark_result_no_session);
    g.operation = 1;
    g.session = vux_desktop_session();
    EXPECT_EQ(ask<vux_desktop_response_group>(service, g)->result, quellmark_result_no_session);
}

TEST_F(Handlers, upgrade_compares_the_client_digest_and_download_serves_the_file) {
    service.set_public_address(QStringLiteral("127.0.0.1"), 4321);
    vux_desktop_request_upgrade u;
    u.application_id = vux_string(vux_desktop_application_id);
    // Without a client to serve, whatever the launcher has is current.
    EXPECT_EQ(ask<vux_desktop_response_upgrade>(service, u)->upgrade, 0);
    vux_desktop_request_download d;
    d.application_id = vux_string(vux_desktop_application_id);
    EXPECT_EQ(ask<vux_desktop_response_download>(service, d)->status, 1);

    const QByteArray client("#!/bin/sh\necho client\n");
    service.state().set_client_bytes(client);
    const vux_string current = orbel_md5_hex(vux_string(client.constData(), int32_t(client.size())));
    struct row {
        vux_string digest;
        int32_t upgrade;
    } rows[] = {{current, 0}, {vux_string(""), 1}, {orbel_md5_hex(vux_string("old")), 1}};
    for (const row& r : rows) {
        u.digest = r.digest;
        auto response = ask<vux_desktop_response_upgrade>(service, u);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, 0);
        EXPECT_EQ(response->upgrade, r.upgrade);
        if (r.upgrade) {
            EXPECT_EQ(response->host.str(), "127.0.0.1");
            EXPECT_EQ(response->port, 4321);
            EXPECT_EQ(response->path.str(), "/download");
        }
    }
    auto file = ask<vux_desktop_response_download>(service, d);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->status, 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(file->file.data()), file->file.length()), client);

    u.application_id = vux_string("other");
    EXPECT_EQ(ask<vux_desktop_response_upgrade>(service, u)->status, 1);
    d.application_id = vux_string("other");
    EXPECT_EQ(ask<vux_desktop_response_download>(service, d)->status, 1);
}

TEST_F(Handlers, requests_that_do_not_decode_get_no_answer) {
    vux_desktop_request_logon r;
    r.user_name = vux_string("demo@quellmark.com");
    const vux_buffer frame = vux_desktop_frame(r);
    // Every cut of a good request, and a request code nobody handles.
    for (int32_t n = 0; n < frame.length(); ++n)
        EXPECT_TRUE(service.respond_frame(vux_link(frame.data(), n)).empty()) << n;
    // Every request has a handler of its own: take one away.
    ASSERT_TRUE(service.set_handler(vux_desktop_request_message::code, {}));
    vux_desktop_request_message unhandled;
    EXPECT_TRUE(service.respond_frame(vux_desktop_frame(unhandled)).empty());
    // A handler added later answers it.
    service.set_handler(vux_desktop_request_message::code, [](const vux_record&, quellmark_context&) {
        return std::unique_ptr<vux_record>(std::make_unique<vux_desktop_response_message>());
    });
    EXPECT_TRUE(ask<vux_desktop_response_message>(service, unhandled));
}

TEST(ServiceData, loads_lower_cases_and_refuses_bad_files) {
    quellmark_service_state state;
    ASSERT_TRUE(state.load(R"({"accounts":[{"name":"A@B.CN","password":"x"}]})"));
    EXPECT_NE(state.find_account(vux_string("a@b.cn")), nullptr);
    QString error;
    const char* bad[] = {"", "[]", "{\"accounts\":3}", R"({"accounts":[{"password":"x"}]})",
                         R"({"accounts":[{"name":"a"},{"name":"A"}]})"};
    for (const char* text : bad) {
        EXPECT_FALSE(state.load(text, &error)) << text;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(state.account_count(), 1);  // the earlier data stays
    }
    EXPECT_FALSE(state.load_file(QStringLiteral("/no/such/file.json"), &error));
    ASSERT_TRUE(state.load_demo());
    EXPECT_EQ(state.account_count(), 4);
}

namespace {
std::string wire_of(const vux_record& r) {
    vux_buffer b;
    vux_writer w(b);
    r.write(w);
    return std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length()));
}

// build(dump(x)) gives x again.
template <class T>
void expect_builds_back(T& record) {
    T back;
    std::string error;
    ASSERT_TRUE(vux_record_build::from_json(vux_record_dump::to_json(record), back, &error)) << error;
    EXPECT_EQ(wire_of(back), wire_of(record)) << record.class_name();
}
}  // namespace

// The demo data's records are in the dumper's form and come back whole.
TEST(ServiceData, demo_records_build_from_their_dump) {
    quellmark_service_state state;
    QString error;
    ASSERT_TRUE(state.load_demo(&error)) << error.toStdString();
    int records = 0;
    for (const char* name :
         {"demo@quellmark.com", "ruth@quellmark.com", "empty@quellmark.com", "pending@quellmark.com"}) {
        quellmark_account* a = state.find_account(vux_string(name));
        ASSERT_TRUE(a) << name;
        expect_builds_back(a->document);
        ++records;
    }
    for (auto& [key, site] : state.sites()) {
        expect_builds_back(*site);
        ++records;
    }
    EXPECT_EQ(records, 12);
    quellmark_account* demo = state.find_account(vux_string("demo@quellmark.com"));
    ASSERT_EQ(demo->document.groups.groups.get_count(), 8);
    EXPECT_EQ(demo->document.groups.groups.at(0)->display_name.view(), "\u6cb3\u7554\u8dd1\u56e2");
    EXPECT_EQ(state.find_site("q0000101")->columns, 207);
    EXPECT_EQ(state.find_site("q0000101")->tray_color, vux_desktop_site::default_tray_color);  // left out: default
    // Pictures are drawn at load: a PNG of the size and colour named.
    const vux_buffer& icon = state.find_site("q0000103")->icon;
    const QImage drawn = QImage::fromData(QByteArray(reinterpret_cast<const char*>(icon.data()), icon.length()), "PNG");
    EXPECT_EQ(drawn.size(), QSize(64, 64));
    EXPECT_EQ(drawn.pixelColor(10, 10), QColor(QStringLiteral("#e2541b")));
    const char* bad_pictures[] = {
        R"({"accounts":[{"name":"a","sites":{"q1":{}},"pictures":{"q1":{"icon":{"width":0,"height":5}}}}]})",
        R"({"accounts":[{"name":"a","sites":{"q1":{}},"pictures":{"q1":{"icon":{"width":5,"height":5,"color":"red?"}}}}]})",
        R"({"accounts":[{"name":"a","sites":{"q1":{}},"pictures":{"q1":{"name":{"width":5,"height":5}}}}]})",
        R"({"accounts":[{"name":"a","sites":{"q1":{}},"pictures":{"q2":{"icon":{"width":5,"height":5}}}}]})",
    };
    for (const char* text : bad_pictures) EXPECT_FALSE(state.load(text, &error)) << text;

    EXPECT_FALSE(state.load(R"({"accounts":[{"name":"a","document":{"class":"vux_desktop_site"}}]})", &error));
    EXPECT_TRUE(error.contains(QLatin1String("document")));
}

TEST(ServiceFaults, parse) {
    const std::optional<int64_t> unset;
    struct row {
        const char* text;
        bool ok;
        quellmark_fault::kind_t kind = quellmark_fault::status;
        std::optional<int64_t> value;
        int32_t code = 0, times = -1;
    } rows[] = {
        {"status", true, quellmark_fault::status, unset, 0, -1},
        {"status:-1@3906", true, quellmark_fault::status, -1, 3906, -1},
        {"delay:2000", true, quellmark_fault::delay, 2000, 0, -1},
        {"early_close:0@3904*1", true, quellmark_fault::early_close, 0, 3904, 1},
        {"http_status:404*2", true, quellmark_fault::http_status, 404, 0, 2},
        {"truncated@3903", true, quellmark_fault::truncated, unset, 3903, -1},
        {"wrong_code:3913", true, quellmark_fault::wrong_code, 3913, 0, -1},
        {"nonsense", false, quellmark_fault::status, unset, 0, -1},
        {"delay:soon", false, quellmark_fault::status, unset, 0, -1},
        {"status@x", false, quellmark_fault::status, unset, 0, -1},
        {"status*0", false, quellmark_fault::status, unset, 0, -1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        quellmark_fault f;
        ASSERT_EQ(quellmark_parse_fault(QString::fromLatin1(r.text), f), r.ok);
        if (!r.ok) continue;
        EXPECT_EQ(f.kind, r.kind);
        EXPECT_EQ(f.value, r.value);
        EXPECT_EQ(f.code, r.code);
        EXPECT_EQ(f.times, r.times);
    }
}

}  // namespace
