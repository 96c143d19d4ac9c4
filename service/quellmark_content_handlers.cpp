#include "service/quellmark_content_handlers.h"

#include <QDateTime>

#include "desktop/messages/vux_desktop_request_data.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_response_data.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "service/quellmark_service_state.h"

namespace {
constexpr int32_t update_operation = 2;
constexpr int32_t content_bits = 0x800000 | 0x1000000 | 0x2000000;
// What the client takes as a refusal of the request (not a fault).
constexpr int32_t result_refused = -1;
constexpr int32_t box_poll = 1, chat_poll = 2, chat_send = 3;

int32_t now() { return int32_t(QDateTime::currentSecsSinceEpoch()); }

// The stored site of a key in the account's list; null when the list has no
// such group or it was handed over to another account.
vux_desktop_site* editable_site(quellmark_account& account, const vux_string& key) {
    const vux_desktop_group_list& groups = account.document.groups;
    const int32_t i = groups.find_by_name(key);
    if (i < 0 || groups.groups.at(i)->state == 2) return nullptr;
    auto it = account.sites.find(key.str());
    return it == account.sites.end() ? nullptr : it->second.get();
}

std::unique_ptr<vux_record> message(const vux_desktop_request_message& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_message>();
    quellmark_account* account = c.state.account_of(request.session);
    if (!account) {
        response->result = quellmark_result_no_session;
        return response;
    }
    vux_desktop_site* site = editable_site(*account, request.site_key);
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
    default:
        response->result = quellmark_result_unsupported;
        return response;
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

    auto found = table.find(vux_desktop_request_site::code);
    quellmark_handler before = found == table.end() ? quellmark_handler() : found->second;
    table[vux_desktop_request_site::code] = quellmark_handler_for<vux_desktop_request_site>(
        [before](const vux_desktop_request_site& request, quellmark_context& c) -> std::unique_ptr<vux_record> {
            quellmark_account* account = c.state.account_of(request.session);
            vux_desktop_site* site = account ? editable_site(*account, request.key) : nullptr;
            const bool update = request.operation == update_operation;
            if (update && site && (request.site.change_mask & content_bits))
                c.state.content.apply_update(*site, request.site);
            if (before) {
                std::unique_ptr<vux_record> answer = before(request, c);
                auto* reply = dynamic_cast<vux_desktop_response_site*>(answer.get());
                // An update the earlier handler does not carry out is answered here.
                if (!update || !reply || reply->result != quellmark_result_unsupported) return answer;
            }
            auto response = std::make_unique<vux_desktop_response_site>();
            response->key = request.key;
            if (!account)
                response->result = quellmark_result_no_session;
            else if (!update)
                response->result = quellmark_result_unsupported;
            else if (!site)
                response->result = result_refused;
            else
                response->site.copy_from(*site);
            return response;
        });
}

bool quellmark_post_member_message(quellmark_service_state& state, const std::string& account_name,
                                   const std::string& site_key, const std::string& member_key, const std::string& text) {
    quellmark_account* account = state.find_account(vux_string(account_name.data(), int32_t(account_name.size())));
    if (!account) return false;
    auto it = account->sites.find(site_key);
    if (it == account->sites.end()) return false;
    if (it->second->members.find_key(vux_string(member_key.data(), int32_t(member_key.size()))) < 0) return false;
    state.content.post(site_key, member_key, false, text, now());
    return true;
}
