// The main window: hidden while the logon runs, the stored size, the
// settings file's permissions.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "client/controls/orbel_list_control.h"
#include "client/manager/orbel_group.h"
#include "client/start/orbel.h"
#include "client/start/orbel_logon.h"
#include "client/start/orbel_main.h"
#include "desktop/messages/vux_desktop_request_profile.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "gui/orbel_settings.h"
#include "orbel_test_support.h"

namespace {

// Counts how often a widget was shown.
class show_counter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shows;
        return false;
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_app();
        orbel_test_clear_settings();
        app = std::make_unique<orbel>();
        app->instance_name = QStringLiteral("__ORBEL-main-test-%1").arg(QCoreApplication::applicationPid());
    }
    void TearDown() override { app.reset(); }

    orbel_test_ui ui;
    std::unique_ptr<orbel> app;
};

TEST_F(MainWindowTest, cancelled_logon_ends_without_the_window_ever_shown) {
    orbel_main window;
    show_counter counter;
    window.installEventFilter(&counter);
    bool closed = false;
    window.set_on_closed([&] { closed = true; });
    QTimer::singleShot(0, [&] {
        auto* logon = orbel_test_modal<orbel_logon>();
        ASSERT_NE(logon, nullptr);
        EXPECT_EQ(window.running_logon(), logon);
        EXPECT_FALSE(window.isVisible());
        logon->findChild<QPushButton*>("2")->click();
    });
    EXPECT_FALSE(window.create());
    EXPECT_EQ(window.running_logon(), nullptr);
    ASSERT_TRUE(ORBEL_WAIT(closed));
    EXPECT_EQ(counter.shows, 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.site_manager(), nullptr);
}

TEST_F(MainWindowTest, signed_in_window_shows_the_account_and_the_site_manager_place) {
    orbel_canned_server server;
    vux_desktop_response_logon logon_reply;
    logon_reply.verify_mode = 1;
    server.push(logon_reply);
    vux_desktop_response_verify verify;
    verify.port = int32_t(server.port());
    verify.host = "127.0.0.1";
    verify.path = "/cs";
    verify.session.account = "boss@example.com";
    server.push(verify);
    // The site manager's first request; a non-zero flag asks for no list.
    vux_desktop_response_profile profile;
    profile.flag = 1;
    server.push(profile);

    orbel_main window;
    EXPECT_EQ(window.size(), QSize(800, 600));  // first run
    QTimer::singleShot(0, [&] {
        auto* logon = orbel_test_modal<orbel_logon>();
        ASSERT_NE(logon, nullptr);
        logon->set_address(QStringLiteral("127.0.0.1"), server.port());
        logon->findChild<QLineEdit*>("1001")->setText("boss@example.com");
        logon->findChild<QLineEdit*>("1002")->setText("pw");
        logon->findChild<QPushButton*>("1003")->click();
    });
    ASSERT_TRUE(window.create());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "boss@example.com");
    ASSERT_NE(window.site_manager(), nullptr);
    EXPECT_EQ(window.site_manager()->objectName(), "103");
    EXPECT_EQ(window.site_manager()->geometry(), window.rect());
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 3 && !window.site_manager()->busy()));
    EXPECT_EQ(vux_desktop_frame_code(vux_link(server.requests[2].constData(), int32_t(server.requests[2].size()))),
              vux_desktop_request_profile::code);
    EXPECT_EQ(window.site_manager()->list()->topLevelItemCount(), 0);
    EXPECT_TRUE(ui.messages.isEmpty());

    // The site list has the focus; at the window's least size every button
    // of the site manager shows whole, its label too.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.site_manager()->list());
    EXPECT_EQ(window.minimumSize(), window.site_manager()->minimumSize());
    window.resize(100, 100);
    EXPECT_EQ(window.size(), window.minimumSize());
    const QRect inside = window.site_manager()->rect();
    const QList<QPushButton*> buttons = window.site_manager()->findChildren<QPushButton*>();
    EXPECT_EQ(buttons.size(), 18);
    for (const QPushButton* button : buttons) {
        EXPECT_TRUE(inside.contains(button->geometry())) << button->objectName().toStdString();
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
    }
    EXPECT_GT(window.site_manager()->list()->height(), 0);
}

TEST_F(MainWindowTest, a_maximised_size_is_never_stored) {
    orbel_write_setting_int(orbel_key_width, 640);
    orbel_write_setting_int(orbel_key_height, 480);
    orbel_main window;
    EXPECT_EQ(window.size(), QSize(640, 480));
    window.finish_logon(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(900, 700);
    ASSERT_TRUE(ORBEL_WAIT(orbel_read_setting_int(orbel_key_width) == 900))
        << (orbel_read_setting_int(orbel_key_width));
    EXPECT_EQ(orbel_read_setting_int(orbel_key_height), 700);

    window.showMaximized();
    ASSERT_TRUE(ORBEL_WAIT(window.isMaximized()));
    EXPECT_TRUE(ORBEL_WAIT(window.size() != QSize(900, 700)));  // it did grow
    EXPECT_EQ(orbel_read_setting_int(orbel_key_width), 900);
    EXPECT_EQ(orbel_read_setting_int(orbel_key_height), 700);
    EXPECT_EQ(window.site_manager()->size(), window.size());

    window.showNormal();
    ASSERT_TRUE(ORBEL_WAIT(!window.isMaximized()));
    ASSERT_TRUE(ORBEL_WAIT(window.size() == QSize(900, 700)));
    EXPECT_EQ(orbel_read_setting_int(orbel_key_width), 900);
    EXPECT_EQ(orbel_read_setting_int(orbel_key_height), 700);

    window.showMinimized();
    ASSERT_TRUE(ORBEL_WAIT(window.isMinimized()));
    QCoreApplication::processEvents();
    window.showNormal();
    window.resize(880, 560);  // above the least size the site manager needs
    ASSERT_TRUE(ORBEL_WAIT(orbel_read_setting_int(orbel_key_width) == 880))
        << (orbel_read_setting_int(orbel_key_width));
    EXPECT_EQ(orbel_read_setting_int(orbel_key_height), 560);
}

TEST_F(MainWindowTest, settings_file_is_readable_by_its_owner_only) {
    orbel_write_setting_text(orbel_key_password, "secret");
    const QFileDevice::Permissions p = QFile::permissions(orbel_settings_file());
    EXPECT_TRUE(p & QFileDevice::ReadOwner);
    EXPECT_FALSE(p & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                      QFileDevice::WriteOther | QFileDevice::ExeGroup | QFileDevice::ExeOther));
    EXPECT_EQ(orbel_get_profile_password(), "secret");
    // Rewrites keep it so.
    orbel_write_setting_int(orbel_key_width, 1000);
    EXPECT_FALSE(QFile::permissions(orbel_settings_file()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

}  // namespace
