// The logon dialog against a loopback server with canned replies: what it
// sends, what it stores, and every row of the reply tables.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "client/start/orbel.h"
#include "client/start/orbel_ip.h"
#include "client/start/orbel_logon.h"
#include "core/vux_link.h"
#include "desktop/messages/vux_desktop_request_logon.h"
#include "desktop/messages/vux_desktop_request_verify.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "desktop/orbel_md5.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_strings.h"
#include "orbel_test_support.h"

namespace {

vux_desktop_response_logon logon_reply(int32_t result, int32_t verify_mode, int32_t challenge) {
    vux_desktop_response_logon r;
    r.result = result;
    r.verify_mode = verify_mode;
    r.challenge = challenge;
    return r;
}

vux_desktop_response_verify verify_reply(int32_t result, const char* host = "svc.example", int32_t port = 8123) {
    vux_desktop_response_verify r;
    r.result = result;
    r.port = port;
    r.host = host;
    r.path = "/cs2";
    r.session.id = 77;
    r.session.text1 = "t1";
    r.session.account = "admin@example.com";
    r.session.text3 = "t3";
    return r;
}

template <class T>
std::unique_ptr<T> decode_request(const QByteArray& body) {
    std::unique_ptr<vux_record> r = vux_desktop_accept_request(vux_link(body.constData(), int32_t(body.size())));
    if (!dynamic_cast<T*>(r.get())) return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(r.release()));
}

class LogonTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_app();
        orbel_test_clear_settings();
        app = std::make_unique<orbel>();
    }
    void TearDown() override {
        dialog.reset();
        app.reset();
    }

    orbel_logon& open() {
        dialog = std::make_unique<orbel_logon>();
        dialog->set_address(QStringLiteral("127.0.0.1"), server.port());
        dialog->show();
        return *dialog;
    }
    template <class T = QWidget>
    T* control(const char* id) {
        return dialog->findChild<T*>(QLatin1String(id));
    }
    void type(const QString& user, const QString& password) {
        control<QLineEdit>("1001")->setText(user);
        control<QLineEdit>("1002")->setText(password);
    }
    void log_on() { control<QPushButton>("1003")->click(); }
    // Waits until the dialog ended or a message was shown.
    void wait_for_outcome() { EXPECT_TRUE(ORBEL_WAIT(!dialog->isVisible() || !ui.messages.isEmpty())); }
    // Waits until no request runs and the server closed every connection,
    // then delivers what is still queued: after it no reply can come.
    void settle() {
        ASSERT_TRUE(ORBEL_WAIT(app->socket_list.active_count() == 0 && server.closed == server.connections));
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    }
    bool fields_enabled() {
        return control("1001")->isEnabled() && control("1002")->isEnabled() && control("1003")->isEnabled();
    }

    orbel_test_ui ui;
    orbel_canned_server server;
    std::unique_ptr<orbel> app;
    std::unique_ptr<orbel_logon> dialog;
};

TEST(LogonDigest, challenge_is_eight_lower_case_digits_with_leading_zeros) {
    const struct {
        int32_t challenge;
        const char* joined;
    } cases[] = {
        {0x0000abcd, "a@b.cn0000abcdpw"},
        {0x00000000, "a@b.cn00000000pw"},
        {0x0fffffff, "a@b.cn0fffffffpw"},
        {int32_t(0xDEADBEEF), "a@b.cndeadbeefpw"},
    };
    for (const auto& c : cases) {
        const vux_string digest = orbel_logon::verify_digest("a@b.cn", c.challenge, "pw");
        EXPECT_EQ(digest.str(), orbel_md5_hex(c.joined).str()) << c.joined;
        EXPECT_EQ(digest.length(), 32);
    }
}

TEST_F(LogonTest, controls_texts_and_opening_state) {
    orbel_write_setting_text(orbel_key_username, "kept@example.com");
    open();
    EXPECT_EQ(dialog->objectName(), "101");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("登录"));
    const struct {
        const char* id;
        const char16_t* text;
    } buttons[] = {{"1003", u"登录"}, {"1004", u"新用户"},   {"1005", u"忘记密码"},
                   {"2", u"取消"},    {"1015", u"记住密码"}, {"1071", u"不显示提示信息"}};
    for (const auto& b : buttons) {
        auto* button = control<QAbstractButton>(b.id);
        ASSERT_NE(button, nullptr) << b.id;
        EXPECT_EQ(button->text(), QString::fromUtf16(b.text)) << b.id;
    }
    EXPECT_FALSE(control("1059")->isVisible());
    EXPECT_FALSE(control("1094")->isVisible());
    EXPECT_FALSE(control("1071")->isVisible());
    EXPECT_NE(control("1055"), nullptr);
    EXPECT_EQ(control<QLineEdit>("1001")->text(), "kept@example.com");
    EXPECT_EQ(control<QLineEdit>("1002")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(control<QCheckBox>("1015")->isChecked());

    control<QPushButton>("1004")->click();
    control<QPushButton>("1005")->click();
    ASSERT_EQ(ui.urls.size(), 2);
    EXPECT_EQ(ui.urls[0].path(), "/tabid/58/default.aspx");
    EXPECT_EQ(ui.urls[0], ui.urls[1]);
    ui.urls_open = false;
    control<QPushButton>("1005")->click();
    EXPECT_EQ(ui.messages, QStringList{orbel_web_page_failed_text(ui.urls[0])});
}

TEST_F(LogonTest, input_checks_stop_before_anything_is_sent) {
    const struct {
        const char* user;
        const char* password;
        int message;
        const char* focus;
    } cases[] = {
        {"", "pw", orbel_ids_user_empty, "1001"},
        {"nobody", "pw", orbel_ids_user_not_email, "1001"},
        {"a@bcn", "pw", orbel_ids_user_not_email, "1001"},
        {"a@b.cn", "", orbel_ids_password_empty, "1002"},
    };
    open();
    QApplication::setActiveWindow(dialog.get());
    for (const auto& c : cases) {
        ui.messages.clear();
        type(QString::fromUtf8(c.user), QString::fromUtf8(c.password));
        log_on();
        ASSERT_EQ(ui.messages.size(), 1) << c.user;
        EXPECT_EQ(ui.messages[0], orbel_string(c.message)) << c.user;
        EXPECT_EQ(QApplication::focusWidget(), control(c.focus)) << c.user;
        EXPECT_TRUE(fields_enabled());
    }
    // Refused before any request was made.
    EXPECT_EQ(app->socket_list.count(), 0);
    settle();
    EXPECT_TRUE(server.requests.isEmpty());
}

TEST_F(LogonTest, success_sends_lower_cased_name_and_digest_and_keeps_the_session) {
    orbel_write_setting_text(orbel_key_password, "old");
    server.push(logon_reply(0, 1, 0x0000abcd));
    server.push(verify_reply(0));
    open();
    EXPECT_TRUE(control<QCheckBox>("1015")->isChecked());  // the stored password checks it
    type(QStringLiteral("Admin@Example.COM"), QStringLiteral("Geheim"));
    log_on();
    EXPECT_FALSE(fields_enabled());
    wait_for_outcome();
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone

    ASSERT_EQ(server.requests.size(), 2);
    auto logon = decode_request<vux_desktop_request_logon>(server.requests[0]);
    ASSERT_TRUE(logon);
    EXPECT_EQ(logon->user_name.str(), "admin@example.com");
    auto verify = decode_request<vux_desktop_request_verify>(server.requests[1]);
    ASSERT_TRUE(verify);
    EXPECT_EQ(verify->user_name.str(), "admin@example.com");
    EXPECT_EQ(verify->digest.str(), orbel_md5_hex("admin@example.com0000abcdGeheim").str());

    EXPECT_EQ(app->service_host, "svc.example");
    EXPECT_EQ(app->service_port, 8123);
    EXPECT_EQ(app->service_path.str(), "/cs2");
    EXPECT_EQ(app->session.id, 77);
    EXPECT_EQ(app->session.account.str(), "admin@example.com");
    EXPECT_EQ(app->session.text3.str(), "t3");
    EXPECT_EQ(orbel_get_profile_username(), "admin@example.com");
    EXPECT_EQ(orbel_get_profile_password(), "Geheim");
}

TEST_F(LogonTest, unchecked_remember_clears_the_stored_password_and_tips_choice_is_kept) {
    orbel_write_setting_text(orbel_key_username, "admin@example.com");
    orbel_write_setting_text(orbel_key_password, "stored");
    server.push(logon_reply(0, 1, 5));
    server.push(verify_reply(0));
    open();
    EXPECT_EQ(control<QLineEdit>("1002")->text(), "stored");
    control<QCheckBox>("1015")->setChecked(false);
    control<QCheckBox>("1071")->setChecked(true);
    log_on();
    wait_for_outcome();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(orbel_get_profile_password(), QString());
    EXPECT_EQ(app->hints_off, 1);
    EXPECT_EQ(orbel_read_setting_int(orbel_key_notip), 1);
}

// Refusals go back to the form with the fields enabled.
TEST_F(LogonTest, refusals_return_to_the_form) {
    const struct {
        const char* name;
        std::function<void(orbel_canned_server&)> replies;
        int message;
        const char* focus;
    } cases[] = {
        {"unknown user", [](orbel_canned_server& s) { s.push(logon_reply(-1, 1, 0)); }, orbel_ids_user_unknown, "1001"},
        {"not activated", [](orbel_canned_server& s) { s.push(logon_reply(0, 0, 0)); }, orbel_ids_not_activated,
         "1001"},
        {"wrong password",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 9));
             s.push(verify_reply(-1));
         },
         orbel_ids_verify_failed, "1002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        c.replies(server);
        open();
        QApplication::setActiveWindow(dialog.get());
        type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
        log_on();
        wait_for_outcome();
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0], orbel_string(c.message));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(fields_enabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::focusWidget(), control(c.focus));
        EXPECT_EQ(orbel_get_profile_username(), QString());  // nothing stored
    }
}

// Fatal outcomes end the dialog (and with it the program) with a message.
TEST_F(LogonTest, fatal_outcomes_end_the_dialog) {
    vux_desktop_response_site foreign;
    const QByteArray good_logon = orbel_canned_server::vux_frame_bytes(logon_reply(0, 1, 1));
    const struct {
        const char* name;
        std::function<void(orbel_canned_server&)> replies;
        int message;
    } cases[] = {
        {"logon result 5", [](orbel_canned_server& s) { s.push(logon_reply(5, 1, 0)); }, orbel_ids_system_failure},
        {"verify mode 2", [](orbel_canned_server& s) { s.push(logon_reply(0, 2, 0)); }, orbel_ids_system_failure},
        {"truncated logon reply", [&](orbel_canned_server& s) { s.push_raw(good_logon.left(good_logon.size() - 6)); },
         orbel_ids_system_failure},
        {"foreign code", [&](orbel_canned_server& s) { s.push(foreign); }, orbel_ids_system_failure},
        {"verify reply to the logon", [](orbel_canned_server& s) { s.push(verify_reply(0)); },
         orbel_ids_system_failure},
        {"verify result 3",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 1));
             s.push(verify_reply(3));
         },
         orbel_ids_system_failure},
        {"success without host",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 1));
             s.push(verify_reply(0, ""));
         },
         orbel_ids_system_failure},
        {"success with port 0",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 1));
             s.push(verify_reply(0, "h", 0));
         },
         orbel_ids_system_failure},
        {"success with port 70000",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 1));
             s.push(verify_reply(0, "h", 70000));
         },
         orbel_ids_system_failure},
        {"closed before the reply", [](orbel_canned_server& s) { s.push_close(); }, orbel_ids_network_failure},
        {"closed before the verify reply",
         [](orbel_canned_server& s) {
             s.push(logon_reply(0, 1, 1));
             s.push_close();
         },
         orbel_ids_network_failure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        app->service_port = 0;
        c.replies(server);
        open();
        type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
        log_on();
        ASSERT_TRUE(ORBEL_WAIT(!dialog->isVisible()));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0], orbel_string(c.message));
        EXPECT_EQ(app->service_port, 0);
        EXPECT_EQ(orbel_get_profile_username(), QString());
    }
    // A refused connection is a transport failure too.
    ui.messages.clear();
    open();
    dialog->set_address(QStringLiteral("127.0.0.1"), 1);
    type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
    log_on();
    ASSERT_TRUE(ORBEL_WAIT(!dialog->isVisible()));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], orbel_string(orbel_ids_network_failure));
}

TEST_F(LogonTest, enter_while_a_request_is_out_sends_nothing_more) {
    server.push_silent();
    open();
    type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
    log_on();
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 1)) << (server.requests.size());
    EXPECT_TRUE(dialog->busy());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    QTest::keyClick(control("1002"), Qt::Key_Enter);
    dialog->accept();                        // the dialog's OK command itself
    EXPECT_EQ(app->socket_list.count(), 1);  // no second request was made
    QCoreApplication::processEvents();
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(LogonTest, a_late_reply_never_reaches_an_ended_dialog) {
    server.push_later(logon_reply(-1, 0, 0), 150);
    open();
    type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
    log_on();
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 1)) << (server.requests.size());
    control<QPushButton>("2")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->pending_requests(), 0);
    settle();
    EXPECT_TRUE(ui.messages.isEmpty());
    // And one destroyed while its request runs is never called.
    server.push_later(logon_reply(-1, 0, 0), 150);
    open();
    type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
    log_on();
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 2)) << (server.requests.size());
    dialog.reset();
    settle();
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(LogonTest, a_fatal_reply_also_closes_a_dialog_opened_from_the_logon) {
    server.push_close_later(150);
    open();
    type(QStringLiteral("a@b.cn"), QStringLiteral("pw"));
    log_on();
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 1)) << (server.requests.size());
    bool address_dialog_seen = false;
    QTimer::singleShot(20, [&] { address_dialog_seen = orbel_test_modal<orbel_ip>() != nullptr; });
    dialog->on_server_address();  // returns once the failure closed it
    EXPECT_TRUE(address_dialog_seen);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], orbel_string(orbel_ids_network_failure));
}

TEST_F(LogonTest, server_address_takes_ports_1_to_65535_only) {
    const struct {
        const char* address;
        const char* port;
        const char* host_after;
        int port_after;
    } cases[] = {
        {"10.0.0.9", "8080", "10.0.0.9", 8080}, {"10.0.0.9", "65535", "10.0.0.9", 65535},
        {"10.0.0.9", "65536", "h", 80},         {"10.0.0.9", "0", "h", 80},
        {"10.0.0.9", "99999999999", "h", 80},   {"", "8080", "h", 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.address) + ":" + c.port);
        orbel_test_clear_settings();
        open();
        dialog->set_address(QStringLiteral("h"), 80);
        QTimer::singleShot(0, [&] {
            auto* ip = orbel_test_modal<orbel_ip>();
            ASSERT_NE(ip, nullptr);
            EXPECT_EQ(ip->windowTitle(), QStringLiteral("服务器地址"));
            ip->findChild<QLineEdit*>("1059")->setText(QString::fromUtf8(c.address));
            ip->findChild<QLineEdit*>("1104")->setText(QString::fromUtf8(c.port));
            ip->findChild<QPushButton*>("1")->click();
        });
        dialog->on_server_address();
        EXPECT_EQ(dialog->host(), QString::fromUtf8(c.host_after));
        EXPECT_EQ(dialog->port(), c.port_after);
        const bool changed = c.port_after != 80;
        EXPECT_EQ(orbel_read_setting_text(orbel_key_ip), changed ? QString::fromUtf8(c.address) : QString());
        EXPECT_EQ(orbel_read_setting_int(orbel_key_port), changed ? c.port_after : 0);
    }
}

TEST_F(LogonTest, image_pack_tool_writes_pngs_then_jpegs_sorted_by_name) {
    QTemporaryDir folder;
    auto put = [&](const char* name, const QByteArray& bytes) {
        QFile f(QDir(folder.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    // Created out of order: the pack's order must not depend on the listing.
    put("c.jpg", QByteArray(5, 'c'));
    put("b.png", QByteArray(3, 'b'));
    put("notes.txt", "skip");
    put("a.png", QByteArray(7, 'a'));
    const QString target = QDir(folder.path()).filePath("pack.dat");
    ui.file_names << target;
    open();
    dialog->on_image_pack();
    ASSERT_EQ(ui.filters.size(), 1);
    EXPECT_EQ(ui.filters[0], QStringLiteral("资源文件 (*.dat)"));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pack = f.readAll();
    const QByteArray expected = QByteArray::fromHex(
                                    "00000003"
                                    "00000007"
                                    "00000003"
                                    "00000005") +
                                QByteArray(7, 'a') + QByteArray(3, 'b') + QByteArray(5, 'c');
    EXPECT_EQ(pack.size(), 16 + 7 + 3 + 5);
    EXPECT_EQ(pack.toHex(), expected.toHex());
    EXPECT_TRUE(ui.messages.isEmpty());
}

}  // namespace
