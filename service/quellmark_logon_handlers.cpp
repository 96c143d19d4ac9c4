// Logon by challenge and response: the name alone gets a fresh challenge;
// the verify step proves the password by the digest of name, challenge and
// password, and gets the session and the address for every later request.
#include "core/vux_hex.h"
#include "desktop/messages/vux_desktop_request_logon.h"
#include "desktop/messages/vux_desktop_request_verify.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "desktop/orbel_md5.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

namespace {
constexpr int32_t refused = -1;

std::unique_ptr<vux_record> logon(const vux_desktop_request_logon& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_logon>();
    quellmark_account* account = c.state.find_account(request.user_name);
    if (!account) {
        response->result = refused;
        return response;
    }
    // An account not yet activated by e-mail gets no challenge.
    if (!account->activated) return response;
    response->verify_mode = 1;
    response->challenge = int32_t(c.state.new_challenge(account->name));
    return response;
}

std::unique_ptr<vux_record> verify(const vux_desktop_request_verify& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_verify>();
    response->result = refused;
    quellmark_account* account = c.state.find_account(request.user_name);
    if (!account || !account->activated) return response;
    // One verify per challenge: a second attempt has to log on again.
    const std::optional<uint32_t> challenge = c.state.take_challenge(account->name);
    if (!challenge) return response;
    const vux_string expected =
        orbel_md5_hex(vux_string(account->name) + vux_hex::format(int32_t(*challenge)) + vux_string(account->password));
    if (!vux_string_equal(expected, request.digest)) return response;
    const quellmark_session& s = c.state.open_session(account->name);
    response->result = 0;
    response->port = c.port;
    response->host = quellmark_utf8(c.host);
    response->path = quellmark_utf8(c.path);
    response->session.id = s.id;
    response->session.text1 = vux_string(s.token);
    response->session.account = vux_string(s.account);
    return response;
}
}  // namespace

void quellmark_add_logon_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_logon::code] = quellmark_handler_for<vux_desktop_request_logon>(logon);
    table[vux_desktop_request_verify::code] = quellmark_handler_for<vux_desktop_request_verify>(verify);
}
