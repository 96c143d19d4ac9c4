#include "client/manager/orbel_group_outcome.h"

#include "core/vux_hex.h"
#include "core/vux_tea.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_password.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "desktop/messages/vux_desktop_response_sms.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_text.h"

namespace {

constexpr int32_t result_refused = -1;

orbel_group_outcome ending(int message) {
    orbel_group_outcome out;
    out.fatal = true;
    out.message = orbel_string(message);
    return out;
}

// The common part of every reply: null or a non-zero result ends the
// program; `refusable` replies answer -1 for an operation the service turned down.
template <class Reply>
std::optional<orbel_group_outcome> failed(const Reply* reply, bool refusable) {
    if (!reply) return ending(orbel_ids_system_failure);
    if (refusable && reply->result == result_refused) {
        orbel_group_outcome out;
        out.refused = true;
        out.message = orbel_string(orbel_ids_refused);
        return out;
    }
    if (reply->result != 0) return ending(orbel_ids_system_failure);
    return std::nullopt;
}

}  // namespace

orbel_group_outcome orbel_group_outcome::on_failure() { return ending(orbel_ids_network_failure); }

orbel_group_outcome orbel_group_outcome::on_profile_reply(const vux_desktop_response_profile* reply) {
    if (auto out = failed(reply, false)) return *out;
    orbel_group_outcome out;
    out.send_list = reply->flag == 0;
    return out;
}

orbel_group_outcome orbel_group_outcome::on_group_reply(const vux_desktop_response_group* reply) {
    if (auto out = failed(reply, true)) return *out;
    orbel_group_outcome out;
    out.take_document = true;
    return out;
}

orbel_group_outcome orbel_group_outcome::on_sms_reply(const vux_desktop_response_sms* reply) {
    if (auto out = failed(reply, true)) return *out;
    return {};
}

orbel_group_outcome orbel_group_outcome::on_password_reply(const vux_desktop_response_password* reply,
                                                           const QString& remembered, const QString& chosen) {
    if (auto out = failed(reply, false)) return *out;
    orbel_group_outcome out;
    out.message = QStringLiteral("密码修改成功。");
    // A remembered password would fail the next logon.
    if (!remembered.isEmpty()) out.remembered_password = chosen;
    return out;
}

vux_desktop_request_password orbel_group_outcome::password_request(const QString& chosen,
                                                                   const vux_desktop_session& session) {
    vux_desktop_request_password request;
    vux_tea(vux_hex::format(session.id)).encrypt_to_text(orbel_to_utf8(chosen), request.password);
    request.session.copy_from(session);
    return request;
}
