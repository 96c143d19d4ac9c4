// Account-level messages after logon: the profile record. (The site list and
// its operations are the group handlers'.)
#include "desktop/messages/vux_desktop_request_profile.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

namespace {
std::unique_ptr<vux_record> profile(const vux_desktop_request_profile& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_profile>();
    quellmark_account* account = c.state.account_of(request.session);
    if (!account) {
        response->result = quellmark_result_no_session;
        return response;
    }
    response->flag = account->profile_flag;
    response->profile.value = account->profile;
    return response;
}
}  // namespace

void quellmark_add_account_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_profile::code] = quellmark_handler_for<vux_desktop_request_profile>(profile);
}
