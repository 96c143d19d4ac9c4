// When the OK buttons of the site dialogs and the password dialog enable.
#include <gtest/gtest.h>

#include "client/manager/orbel_ok_rules.h"

namespace {

TEST(OkRules, create_acquire_and_rename) {
    EXPECT_TRUE(orbel_ok_rules::create(QStringLiteral("站点")));
    EXPECT_TRUE(orbel_ok_rules::create(QStringLiteral(" a ")));
    EXPECT_FALSE(orbel_ok_rules::create(QString()));
    EXPECT_FALSE(orbel_ok_rules::create(QStringLiteral(" \t ")));
    EXPECT_TRUE(orbel_ok_rules::acquire(QStringLiteral(" ")));  // any code, blanks too
    EXPECT_FALSE(orbel_ok_rules::acquire(QString()));

    const struct {
        const char* name;
        bool ok;
    } renames[] = {{"old", false}, {"  old ", false}, {"   ", false}, {"", false}, {"Old", true}, {" new ", true}};
    for (const auto& r : renames)
        EXPECT_EQ(orbel_ok_rules::rename(QString::fromUtf8(r.name), QStringLiteral("old")), r.ok) << r.name;
}

TEST(OkRules, transfer_refuses_the_own_account_in_any_case) {
    const struct {
        const char* receiver;
        const char* code;
        const char* account;
        bool ok;
    } cases[] = {
        {"other@example.com", "1234", "me@example.com", true}, {"Other@Example.COM", "x", "me@example.com", true},
        {"me@example.com", "1234", "me@example.com", false},   {"ME@Example.com", "1234", "me@example.com", false},
        {"me@example.com", "1234", "Me@Example.com", false},  // an account name stored with capitals
        {"other@example.com", "", "me@example.com", false},    {"", "1234", "me@example.com", false},
        {"other@examplecom", "1234", "me@example.com", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_ok_rules::transfer(QString::fromUtf8(c.receiver), QString::fromUtf8(c.code), c.account), c.ok)
            << c.receiver << " / " << c.code << " / " << c.account;
}

TEST(OkRules, password_is_seven_ascii_letters_or_digits_repeated) {
    const struct {
        const char* first;
        const char* second;
        bool ok;
    } cases[] = {
        {"abc1234", "abc1234", true},
        {"ABCdef7", "ABCdef7", true},
        {"abc123", "abc123", false},
        {"abc 1234", "abc 1234", false},
        {"abc_1234", "abc_1234", false},
        {"abc1234é", "abc1234é", false},
        {"密码abc12345", "密码abc12345", false},
        {"abc1234", "ABC1234", false},
        {"abc1234", "abc12345", false},
        {"１２３４５６７", "１２３４５６７", false},  // full-width digits are not ASCII
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_ok_rules::password(QString::fromUtf8(c.first), QString::fromUtf8(c.second)), c.ok)
            << c.first << " / " << c.second;
}

TEST(OkRules, enter_accepts_only_while_ok_is_enabled) {
    using enter = orbel_ok_rules::enter;
    const struct {
        bool ok_enabled, on_button;
        enter outcome;
    } cases[] = {
        {true, false, enter::accept},
        {false, false, enter::nothing},  // never a cancel
        {true, true, enter::press_button},
        {false, true, enter::press_button},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_ok_rules::on_enter(c.ok_enabled, c.on_button), c.outcome) << c.ok_enabled << c.on_button;
}

}  // namespace
