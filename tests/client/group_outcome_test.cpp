// The site manager's reply rules without a window, and the password
// change request.
#include <gtest/gtest.h>

#include "client/manager/orbel_group_outcome.h"
#include "core/vux_tea.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_password.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "desktop/messages/vux_desktop_response_sms.h"
#include "gui/orbel_strings.h"

namespace {

template <class Reply>
Reply with_result(int32_t result) {
    Reply r;
    r.result = result;
    return r;
}

TEST(GroupOutcome, results_that_end_the_program_or_are_refused) {
    const QString fatal = orbel_string(orbel_ids_system_failure);
    const QString refused = QStringLiteral("服务器拒绝了该操作。");
    const auto group = [](int32_t r) {
        const auto reply = with_result<vux_desktop_response_group>(r);
        return orbel_group_outcome::on_group_reply(&reply);
    };
    const auto sms = [](int32_t r) {
        const auto reply = with_result<vux_desktop_response_sms>(r);
        return orbel_group_outcome::on_sms_reply(&reply);
    };
    const auto profile = [](int32_t r) {
        const auto reply = with_result<vux_desktop_response_profile>(r);
        return orbel_group_outcome::on_profile_reply(&reply);
    };
    const auto password = [](int32_t r) {
        const auto reply = with_result<vux_desktop_response_password>(r);
        return orbel_group_outcome::on_password_reply(&reply, "old", "new1234");
    };
    const struct {
        const char* label;
        orbel_group_outcome out;
        bool fatal, is_refused;
        QString message;
    } cases[] = {
        {"3911 -1", group(-1), false, true, refused},
        {"3911 1", group(1), true, false, fatal},
        {"3911 -2", group(-2), true, false, fatal},
        {"3911 refused by the acceptance rule", orbel_group_outcome::on_group_reply(nullptr), true, false, fatal},
        {"3917 -1", sms(-1), false, true, refused},
        {"3917 2", sms(2), true, false, fatal},
        {"3921 -1", profile(-1), true, false, fatal},
        {"3921 null", orbel_group_outcome::on_profile_reply(nullptr), true, false, fatal},
        {"3919 -1", password(-1), true, false, fatal},
        {"3919 null", orbel_group_outcome::on_password_reply(nullptr, "old", "new1234"), true, false, fatal},
        {"transport", orbel_group_outcome::on_failure(), true, false, orbel_string(orbel_ids_network_failure)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.out.fatal, c.fatal) << c.label;
        EXPECT_EQ(c.out.refused, c.is_refused) << c.label;
        EXPECT_EQ(c.out.message, c.message) << c.label;
        EXPECT_FALSE(c.out.take_document || c.out.send_list || c.out.remembered_password) << c.label;
    }
}

TEST(GroupOutcome, successes) {
    const auto group = with_result<vux_desktop_response_group>(0);
    const orbel_group_outcome listed = orbel_group_outcome::on_group_reply(&group);
    EXPECT_TRUE(listed.take_document);
    EXPECT_TRUE(listed.message.isEmpty());

    auto profile = with_result<vux_desktop_response_profile>(0);
    EXPECT_TRUE(orbel_group_outcome::on_profile_reply(&profile).send_list);
    profile.flag = 1;  // a non-zero flag leaves the list empty
    EXPECT_FALSE(orbel_group_outcome::on_profile_reply(&profile).send_list);

    const auto changed = with_result<vux_desktop_response_password>(0);
    const orbel_group_outcome kept = orbel_group_outcome::on_password_reply(&changed, "old1234", "new1234");
    EXPECT_EQ(kept.message, QStringLiteral("密码修改成功。"));
    EXPECT_EQ(kept.remembered_password, QStringLiteral("new1234"));
    const orbel_group_outcome none = orbel_group_outcome::on_password_reply(&changed, QString(), "new1234");
    EXPECT_EQ(none.message, QStringLiteral("密码修改成功。"));
    EXPECT_FALSE(none.remembered_password) << "nothing is stored when none was remembered";
}

TEST(GroupOutcome, password_request_is_keyed_with_the_session_id_as_hex_text) {
    vux_desktop_session session;
    session.id = 42;
    session.account = "me@example.com";
    const vux_desktop_request_password request = orbel_group_outcome::password_request("abc1234", session);
    EXPECT_EQ(request.session.id, 42);
    EXPECT_EQ(request.session.account.str(), "me@example.com");
    // The key text "0000002a" read as big-endian words: "0000", "002a", then nothing.
    const vux_tea key(0x30303030, 0x30303261, 0, 0);
    vux_string plain;
    ASSERT_TRUE(key.decrypt_text(request.password, plain)) << request.password.str();
    EXPECT_EQ(plain.str(), "abc1234");
    EXPECT_EQ(request.password.str().substr(0, 12), "vux*00000007");
}

}  // namespace
