// Account-level messages after logon: the profile record and the site list.
#include "desktop/messages/vux_desktop_request_group.h"
#include "desktop/messages/vux_desktop_request_profile.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_profile.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

namespace {
constexpr int32_t list_operation = 1;

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

std::unique_ptr<vux_record> group(const vux_desktop_request_group& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_group>();
    quellmark_account* account = c.state.account_of(request.session);
    if (!account) {
        response->result = quellmark_result_no_session;
        return response;
    }
    // The editing operations (create, rename, transfer ...) come with the
    // site manager; until then only the list is answered.
    if (request.operation != list_operation) {
        response->result = quellmark_result_unsupported;
        return response;
    }
    response->document.copy_from(account->document);
    return response;
}
}  // namespace

void quellmark_add_account_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_profile::code] = quellmark_handler_for<vux_desktop_request_profile>(profile);
    table[vux_desktop_request_group::code] = quellmark_handler_for<vux_desktop_request_group>(group);
}
