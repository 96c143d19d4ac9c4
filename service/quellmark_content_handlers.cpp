#include "service/quellmark_content_handlers.h"

#include <QDateTime>

#include "desktop/messages/vux_desktop_request_data.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_response_data.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "service/quellmark_service_state.h"

namespace {
// What the client takes as a refusal of the request (not a fault).
constexpr int32_t result_refused = -1;
constexpr int32_t box_poll = 1, chat_poll = 2, chat_send = 3;

int32_t now() { return int32_t(QDateTime::currentSecsSinceEpoch()); }

std::unique_ptr<vux_record> message(const vux_desktop_request_message& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_message>();
    quellmark_account* account = c.state.account_of(request.session);
    if (!account) {
        response->result = quellmark_result_no_session;
        return response;
    }
    vux_desktop_site* site = c.state.editable_site(*account, request.site_key);
    if (!site) {
        response->result = result_refused;
        return response;
    }
    const std::string site_key = request.site_key.str();
    const std::string member = request.member_key.str();
    const int32_t limit = request.limit;
    switch (request.operation) {
    case box_poll: {
        const int32_t after = request.has_marker ? request.marker.get(1) : 0;
        c.state.content.recent(site_key, after, limit, response->recent);
        return response;
    }
    case chat_send:
        if (site->members.find_key(request.member_key) < 0 || request.text.empty()) {
            response->result = result_refused;
            return response;
        }
        c.state.content.post(site_key, member, true, request.text.str(), now());
        [[fallthrough]];
    case chat_poll: {
        const int32_t after = request.has_marker ? request.marker.get(0) : 0;
        c.state.content.read(site_key, member, request.site_key, after, limit, response->messages);
        return response;
    }
    default: response->result = quellmark_result_unsupported; return response;
    }
}

std::unique_ptr<vux_record> data(const vux_desktop_request_data& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_data>();
    if (!c.state.account_of(request.session)) {
        response->result = quellmark_result_no_session;
        return response;
    }
    response->name = request.name;
    if (request.operation != 1) {
        response->result = quellmark_result_unsupported;
        return response;
    }
    const QByteArray bytes = c.state.content.picture(request.name.str());
    response->bytes.assign_bytes(bytes.constData(), int32_t(bytes.size()));
    return response;
}
}  // namespace

void quellmark_add_content_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_message::code] = quellmark_handler_for<vux_desktop_request_message>(message);
    table[vux_desktop_request_data::code] = quellmark_handler_for<vux_desktop_request_data>(data);
}

bool quellmark_post_member_message(quellmark_service_state& state, const std::string& account_name,
                                   const std::string& site_key, const std::string& member_key,
                                   const std::string& text) {
    quellmark_account* account = state.find_account(vux_string(account_name.data(), int32_t(account_name.size())));
    if (!account) return false;
    const vux_desktop_site* site = state.editable_site(*account, vux_string(site_key));
    if (!site) return false;
    if (site->members.find_key(vux_string(member_key.data(), int32_t(member_key.size()))) < 0) return false;
    state.content.post(site_key, member_key, false, text, now());
    return true;
}
