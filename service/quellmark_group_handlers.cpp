// The site manager's messages: the site-list operations (list, create,
// rename, transfer, cancel, acquire, delete), the site fetch, the SMS
// invitation and the password change.
#include <algorithm>

#include "core/vux_hex.h"
#include "core/vux_tea.h"
#include "desktop/messages/vux_desktop_request_group.h"
#include "desktop/messages/vux_desktop_request_password.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_request_sms.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_password.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/messages/vux_desktop_response_sms.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"

namespace {

enum group_operation : int32_t { op_list = 1, op_create, op_rename, op_transfer, op_cancel, op_acquire, op_delete };
enum group_state : int32_t { own = 0, offered = 1, transferred = 2, offered_to_us = 3 };
constexpr int32_t site_fetch = 1;
constexpr size_t least_password = 7;

vux_record_list<vux_desktop_group>& groups_of(quellmark_account& a) { return a.document.groups.groups; }

int32_t index_of(quellmark_account& a, std::string_view key) {
    auto& groups = groups_of(a);
    for (int32_t i = 0; i < groups.get_count(); ++i)
        if (groups.at(i)->name.view() == key) return i;
    return -1;
}

vux_desktop_group* group_of(quellmark_account& a, std::string_view key) {
    const int32_t i = index_of(a, key);
    return i < 0 ? nullptr : groups_of(a).at(i);
}

void remove_group(quellmark_account& a, std::string_view key) {
    const int32_t i = index_of(a, key);
    if (i >= 0) groups_of(a).remove_at(i);
}

std::string lower_ascii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// The offer of a key, if one waits.
std::vector<quellmark_offer>::iterator offer_of(quellmark_service_state& state, std::string_view key) {
    auto& offers = state.offers();
    return std::find_if(offers.begin(), offers.end(), [&](const quellmark_offer& o) { return o.key == key; });
}

// Carries out one site-list operation for `a`; the key concerned (empty
// after a delete), or none when the service turns it down.
std::optional<std::string> carry_out(quellmark_service_state& state, quellmark_account& a,
                                     const vux_desktop_request_group& request) {
    const vux_string_list& args = request.arguments;
    auto arg = [&](int32_t i) { return i < args.count() ? std::string(args.item_at(i).view()) : std::string(); };
    const std::string key = arg(0);
    vux_desktop_group* group = group_of(a, key);
    switch (request.operation) {
    case op_list: return std::string(a.document.groups.text.view());
    case op_create: {
        if (key.empty()) return std::nullopt;  // the name, for a create
        const std::string created = state.add_site();
        vux_desktop_group& g = groups_of(a).add();
        g.state = own;
        g.name = vux_string(created);
        g.display_name = vux_string(key);
        return created;
    }
    case op_rename: {
        const std::string name = arg(1);
        if (!group || group->state != own || name.empty()) return std::nullopt;
        group->display_name = vux_string(name);
        return key;
    }
    case op_transfer: {
        quellmark_account* receiver = state.find_account(vux_string(lower_ascii(arg(1))));
        if (!a.is_member() || !group || group->state != own || !receiver || receiver == &a || arg(2).empty() ||
            group_of(*receiver, key))
            return std::nullopt;
        group->state = offered;
        vux_desktop_group& theirs = groups_of(*receiver).add();
        theirs.state = offered_to_us;
        theirs.name = group->name;
        theirs.display_name = group->display_name;
        state.offers().push_back({key, a.name, receiver->name, arg(2)});
        return key;
    }
    case op_cancel: {
        const auto offer = offer_of(state, key);
        if (!group || group->state != offered || offer == state.offers().end() || offer->from != a.name)
            return std::nullopt;
        group->state = own;
        if (quellmark_account* receiver = state.find_account(vux_string(offer->to))) remove_group(*receiver, key);
        state.offers().erase(offer);
        return key;
    }
    case op_acquire: {
        const auto offer = offer_of(state, key);
        if (!group || group->state != offered_to_us || offer == state.offers().end() || offer->to != a.name ||
            offer->code != arg(1))
            return std::nullopt;
        group->state = own;
        if (quellmark_account* sender = state.find_account(vux_string(offer->from)))
            if (vux_desktop_group* theirs = group_of(*sender, key)) theirs->state = transferred;
        // A site that changes hands is activated again by its new owner's phone.
        if (vux_desktop_site* site = state.find_site(key)) site->activated = 0;
        state.offers().erase(offer);
        return key;
    }
    case op_delete: {
        if (!group || group->state == offered) return std::nullopt;
        if (group->state == own) state.remove_site(key);
        if (group->state == offered_to_us) {
            // Declining: the site stays its sender's.
            const auto offer = offer_of(state, key);
            if (offer != state.offers().end()) {
                if (quellmark_account* sender = state.find_account(vux_string(offer->from)))
                    if (vux_desktop_group* theirs = group_of(*sender, key)) theirs->state = own;
                state.offers().erase(offer);
            }
        }
        remove_group(a, key);
        return std::string();
    }
    default: return std::nullopt;
    }
}

// A handler of a request made after logon: a session the service does not
// know gets its own result; otherwise `f` fills the response from the
// account's state and returns the result (0 or refused).
template <class Request, class Response, class F>
quellmark_handler signed_in(F f) {
    return quellmark_handler_for<Request>([f](const Request& request, quellmark_context& c) {
        auto response = std::make_unique<Response>();
        quellmark_account* account = c.state.account_of(request.session);
        response->result = account ? f(request, *account, c.state, *response) : quellmark_result_no_session;
        return std::unique_ptr<vux_record>(std::move(response));
    });
}

int32_t group(const vux_desktop_request_group& request, quellmark_account& account, quellmark_service_state& state,
              vux_desktop_response_group& response) {
    const std::optional<std::string> concerned = carry_out(state, account, request);
    if (!concerned) return quellmark_result_refused;
    account.document.groups.text = vux_string(*concerned);
    response.document.copy_from(account.document);
    return 0;
}

int32_t site(const vux_desktop_request_site& request, quellmark_account& account, quellmark_service_state& state,
             vux_desktop_response_site& response) {
    response.key = request.key;
    const std::string key(request.key.view());
    vux_desktop_site* stored = group_of(account, key) ? state.find_site(key) : nullptr;
    if (request.operation != site_fetch || !stored) return quellmark_result_refused;
    response.site.copy_from(*stored);
    response.site.change_mask = 0;
    return 0;
}

int32_t sms(const vux_desktop_request_sms& request, quellmark_account& account, quellmark_service_state& state,
            vux_desktop_response_sms&) {
    if (!account.is_member()) return quellmark_result_refused;
    quellmark_sms logged{account.name, std::string(request.site_key.view()), std::string(request.text.view()), {}};
    for (int32_t i = 0; i < request.numbers.count(); ++i)
        logged.numbers.emplace_back(request.numbers.item_at(i).view());
    state.sms_log().push_back(std::move(logged));
    return 0;
}

bool acceptable_password(std::string_view p) {
    return p.size() >= least_password && std::all_of(p.begin(), p.end(), [](char ch) {
               return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
           });
}

int32_t password(const vux_desktop_request_password& request, quellmark_account& account, quellmark_service_state&,
                 vux_desktop_response_password&) {
    // The client enciphers under the session id as 8 lower-case hex digits.
    vux_string plain;
    if (!vux_tea(vux_hex::format(request.session.id)).decrypt_text(request.password, plain) ||
        !acceptable_password(plain.view()))
        return quellmark_result_refused;
    account.password = std::string(plain.view());
    return 0;
}

}  // namespace

void quellmark_add_group_handlers(quellmark_handler_table& table) {
    table[vux_desktop_request_group::code] = signed_in<vux_desktop_request_group, vux_desktop_response_group>(group);
    table[vux_desktop_request_site::code] = signed_in<vux_desktop_request_site, vux_desktop_response_site>(site);
    table[vux_desktop_request_sms::code] = signed_in<vux_desktop_request_sms, vux_desktop_response_sms>(sms);
    table[vux_desktop_request_password::code] =
        signed_in<vux_desktop_request_password, vux_desktop_response_password>(password);
}
