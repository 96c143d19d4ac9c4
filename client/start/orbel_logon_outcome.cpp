#include "client/start/orbel_logon_outcome.h"

#include "client/start/orbel_ip.h"
#include "core/vux_hex.h"
#include "desktop/messages/vux_desktop_response_logon.h"
#include "desktop/messages/vux_desktop_response_verify.h"
#include "desktop/orbel_md5.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"

namespace {

orbel_logon_outcome ending(int message) {
    orbel_logon_outcome out;
    out.fatal = true;
    out.message = message;
    return out;
}

orbel_logon_outcome refuse(orbel_logon_outcome::field focus, int message) {
    orbel_logon_outcome out;
    out.focus = focus;
    out.message = message;
    return out;
}

}  // namespace

vux_string orbel_logon_outcome::verify_digest(const vux_string& user, int32_t challenge, const vux_string& password) {
    return orbel_md5_hex(user + vux_hex::format(challenge) + password);
}

orbel_logon_outcome orbel_logon_outcome::on_failure() { return ending(orbel_ids_network_failure); }

orbel_logon_outcome orbel_logon_outcome::on_logon_reply(const request& state, const vux_desktop_response_logon* reply) {
    if (!reply) return ending(orbel_ids_system_failure);
    if (reply->result == -1) return refuse(field::user, orbel_ids_user_unknown);
    if (reply->result != 0) return ending(orbel_ids_system_failure);
    if (reply->verify_mode == 0) return refuse(field::user, orbel_ids_not_activated);
    if (reply->verify_mode != 1) return ending(orbel_ids_system_failure);
    orbel_logon_outcome out;
    out.next.emplace();
    out.next->user_name = state.user;
    out.next->digest = verify_digest(state.user, reply->challenge, state.password);
    return out;
}

orbel_logon_outcome orbel_logon_outcome::on_verify_reply(const request& state,
                                                         const vux_desktop_response_verify* reply) {
    if (!reply) return ending(orbel_ids_system_failure);
    if (reply->result == -1) return refuse(field::password, orbel_ids_verify_failed);
    // A success that names no service to go on with would leave every later
    // request going nowhere.
    if (reply->result != 0 || reply->host.empty() || !orbel_ip::is_valid_port(reply->port))
        return ending(orbel_ids_system_failure);
    orbel_logon_outcome out;
    out.signed_in = true;
    out.writes.push_back({&orbel_key_username, orbel_to_qstring(state.user)});
    out.writes.push_back({&orbel_key_password, state.remember ? state.typed_password : QString()});
    const int32_t choice = state.no_tips ? 1 : 0;
    if (choice != state.hints_off) {
        out.hints_off = choice;
        out.writes.push_back({&orbel_key_notip, QString(), choice, false});
    }
    return out;
}
