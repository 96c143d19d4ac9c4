// The logon's reply rules, decided without a window: for each request state
// and decoded reply, the next request, the profile writes, the message, and
// whether the dialog ends.
#include <gtest/gtest.h>

#include "client/start/orbel_logon_outcome.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "desktop/orbel_md5.h"
#include "gui/orbel_strings.h"

namespace {

using field = orbel_logon_outcome::field;
using write = orbel_logon_outcome::profile_write;

orbel_logon_outcome::request state(bool remember = false, bool no_tips = false, int32_t hints_off = 0) {
    orbel_logon_outcome::request s;
    s.user = "admin@example.com";
    s.password = "秘密pw";
    s.typed_password = QStringLiteral("秘密pw");
    s.remember = remember;
    s.no_tips = no_tips;
    s.hints_off = hints_off;
    return s;
}

// What a refusal or an ending looks like: no request, no writes, not signed in.
struct expected_end {
    int message;
    field focus;
    bool fatal;
};

void expect_end(const orbel_logon_outcome& out, const expected_end& e, const std::string& label) {
    EXPECT_FALSE(out.next) << label;
    EXPECT_TRUE(out.writes.empty()) << label;
    EXPECT_FALSE(out.signed_in) << label;
    EXPECT_FALSE(out.hints_off) << label;
    EXPECT_EQ(out.message, e.message) << label;
    EXPECT_EQ(out.focus, e.focus) << label;
    EXPECT_EQ(out.fatal, e.fatal) << label;
}

TEST(LogonOutcome, logon_reply_table) {
    const struct {
        int32_t result, verify_mode;
        expected_end end;
    } cases[] = {
        {0, 0, {orbel_ids_not_activated, field::user, false}},  {0, 2, {orbel_ids_system_failure, field::none, true}},
        {0, -1, {orbel_ids_system_failure, field::none, true}}, {-1, 0, {orbel_ids_user_unknown, field::user, false}},
        {-1, 1, {orbel_ids_user_unknown, field::user, false}},  {-1, 7, {orbel_ids_user_unknown, field::user, false}},
        {1, 1, {orbel_ids_system_failure, field::none, true}},  {-2, 1, {orbel_ids_system_failure, field::none, true}},
    };
    for (const auto& c : cases) {
        vux_desktop_response_logon reply;
        reply.result = c.result;
        reply.verify_mode = c.verify_mode;
        reply.challenge = 5;
        expect_end(orbel_logon_outcome::on_logon_reply(state(), &reply), c.end,
                   std::to_string(c.result) + "/" + std::to_string(c.verify_mode));
    }
    expect_end(orbel_logon_outcome::on_logon_reply(state(), nullptr), {orbel_ids_system_failure, field::none, true},
               "undecodable");
    expect_end(orbel_logon_outcome::on_failure(), {orbel_ids_network_failure, field::none, true}, "failure");
}

TEST(LogonOutcome, a_challenge_leads_to_the_verify_request) {
    vux_desktop_response_logon reply;
    reply.result = 0;
    reply.verify_mode = 1;
    reply.challenge = 0x00c0ffee;
    const orbel_logon_outcome out = orbel_logon_outcome::on_logon_reply(state(), &reply);
    ASSERT_TRUE(out.next);
    EXPECT_EQ(out.next->reserved, 0);
    EXPECT_EQ(out.next->user_name.str(), "admin@example.com");
    EXPECT_EQ(out.next->digest.str(), orbel_md5_hex("admin@example.com00c0ffee秘密pw").str());
    EXPECT_EQ(out.message, 0);
    EXPECT_FALSE(out.fatal || out.signed_in);
    EXPECT_TRUE(out.writes.empty());
}

vux_desktop_response_verify verify_reply(int32_t result, const char* host = "svc.example", int32_t port = 8123) {
    vux_desktop_response_verify r;
    r.result = result;
    r.host = host;
    r.port = port;
    return r;
}

TEST(LogonOutcome, verify_refusals_and_failures) {
    const struct {
        const char* label;
        vux_desktop_response_verify reply;
        expected_end end;
    } cases[] = {
        {"wrong password", verify_reply(-1), {orbel_ids_verify_failed, field::password, false}},
        {"other result", verify_reply(1), {orbel_ids_system_failure, field::none, true}},
        {"no host", verify_reply(0, ""), {orbel_ids_system_failure, field::none, true}},
        {"port 0", verify_reply(0, "svc.example", 0), {orbel_ids_system_failure, field::none, true}},
        {"port 65536", verify_reply(0, "svc.example", 65536), {orbel_ids_system_failure, field::none, true}},
        {"negative port", verify_reply(0, "svc.example", -80), {orbel_ids_system_failure, field::none, true}},
    };
    for (const auto& c : cases) expect_end(orbel_logon_outcome::on_verify_reply(state(), &c.reply), c.end, c.label);
    expect_end(orbel_logon_outcome::on_verify_reply(state(), nullptr), {orbel_ids_system_failure, field::none, true},
               "undecodable");
}

TEST(LogonOutcome, success_writes_the_name_the_remembered_password_and_a_changed_tips_choice) {
    const write name{&orbel_key_username, QStringLiteral("admin@example.com")};
    const write kept{&orbel_key_password, QStringLiteral("秘密pw")};
    const write cleared{&orbel_key_password, QString()};
    const struct {
        bool remember, no_tips;
        int32_t hints_off;
        std::vector<write> writes;
        std::optional<int32_t> new_hints_off;
    } cases[] = {
        {false, false, 0, {name, cleared}, {}},
        {true, false, 0, {name, kept}, {}},
        {true, true, 0, {name, kept, {&orbel_key_notip, QString(), 1, false}}, 1},
        {false, false, 1, {name, cleared, {&orbel_key_notip, QString(), 0, false}}, 0},
        {false, true, 1, {name, cleared}, {}},
    };
    const vux_desktop_response_verify reply = verify_reply(0, "svc.example", 65535);
    for (const auto& c : cases) {
        const std::string label = std::to_string(c.remember) + std::to_string(c.no_tips) + std::to_string(c.hints_off);
        const orbel_logon_outcome out =
            orbel_logon_outcome::on_verify_reply(state(c.remember, c.no_tips, c.hints_off), &reply);
        EXPECT_TRUE(out.signed_in) << label;
        EXPECT_FALSE(out.fatal || out.next) << label;
        EXPECT_EQ(out.message, 0) << label;
        EXPECT_EQ(out.writes, c.writes) << label;
        EXPECT_EQ(out.hints_off, c.new_hints_off) << label;
    }
}

}  // namespace
