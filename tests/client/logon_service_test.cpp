// The logon against the local stand-in service with its demo accounts: the
// whole exchange as the service checks it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "client/start/orbel.h"
#include "client/start/orbel_logon.h"
#include "gui/orbel_settings.h"
#include "gui/orbel_strings.h"
#include "orbel_test_support.h"
#include "service/quellmark_service.h"

namespace {

class LogonServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_clear_settings();
        ASSERT_TRUE(service.state().load_demo());
        ASSERT_TRUE(service.listen());
        app = std::make_unique<orbel>();
    }

    // Logs on with the name and password typed; waits for the outcome.
    void log_on(const QString& user, const QString& password, bool remember) {
        dialog = std::make_unique<orbel_logon>();
        dialog->set_address(service.host(), service.port());
        dialog->show();
        dialog->findChild<QLineEdit*>("1001")->setText(user);
        dialog->findChild<QLineEdit*>("1002")->setText(password);
        dialog->findChild<QCheckBox*>("1015")->setChecked(remember);
        dialog->findChild<QPushButton*>("1003")->click();
        EXPECT_TRUE(ORBEL_WAIT(!dialog->isVisible() || !ui.messages.isEmpty()));
    }

    orbel_test_ui ui;
    quellmark_service service;
    std::unique_ptr<orbel> app;
    std::unique_ptr<orbel_logon> dialog;
};

TEST_F(LogonServiceTest, demo_account_with_a_small_challenge_signs_in) {
    // A challenge below 0x10000000 only verifies when its leading zeros are sent.
    service.state().set_challenge_source([] { return uint32_t(0x00000a5b); });
    log_on(QStringLiteral("DEMO@Quellmark.com"), QStringLiteral("demo1234"), true);
    ASSERT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(app->session.account.str(), "demo@quellmark.com");
    EXPECT_NE(app->session.id, 0);
    EXPECT_EQ(app->service_host, service.host());
    EXPECT_EQ(app->service_port, service.port());
    EXPECT_EQ(app->service_path.str(), service.path().toStdString());
    EXPECT_EQ(orbel_get_profile_username(), "demo@quellmark.com");
    EXPECT_EQ(orbel_get_profile_password(), "demo1234");
    EXPECT_EQ(service.served(3906), 1);
    EXPECT_EQ(service.served(3908), 1);
}

TEST_F(LogonServiceTest, demo_refusals) {
    const struct {
        const char* user;
        const char* password;
        int message;
    } cases[] = {
        {"nobody@quellmark.com", "x", orbel_ids_user_unknown},
        {"pending@quellmark.com", "pending1234", orbel_ids_not_activated},
        {"demo@quellmark.com", "wrong", orbel_ids_verify_failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        ui.messages.clear();
        log_on(QString::fromUtf8(c.user), QString::fromUtf8(c.password), false);
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0], orbel_string(c.message));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(app->session.id, 0);
    }
}

}  // namespace
