// Site updates (3912, operation 2): the fields the client's site sheet,
// home-page editor and site copy change, each taken when its change bit is
// set, so an update that carries defaults elsewhere never resets them.
#include <cstring>

#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "service/quellmark_contact_handlers.h"
#include "service/quellmark_service_state.h"
#include "service/quellmark_site_update.h"

namespace {

constexpr int32_t update_operation = 2;
// What the client takes as a refusal of the request (not a fault).
constexpr int32_t result_refused = -1;

void apply(const vux_desktop_site& u, vux_desktop_site& s) {
    const int32_t m = u.change_mask;
    auto take = [m](int32_t bit, auto& to, const auto& from) {
        if (m & bit) to = from;
    };
    // Publication is 0 or 1 here; deleting is an operation of its own.
    if ((m & vux_desktop_site_change::publish_state) && (u.publish_state == 0 || u.publish_state == 1))
        s.publish_state = u.publish_state;
    take(vux_desktop_site_change::options, s.options, u.options);
    take(vux_desktop_site_change::tray_color, s.tray_color, u.tray_color);
    take(vux_desktop_site_change::column_align, s.column_align, u.column_align);
    take(vux_desktop_site_change::style, s.style, u.style);
    take(vux_desktop_site_change::columns, s.columns, u.columns);
    take(vux_desktop_site_change::name, s.name, u.name);
    take(vux_desktop_site_change::web_address, s.web_address, u.web_address);
    if (m & vux_desktop_site_change::tray_picture) s.tray_picture.assign_buffer(u.tray_picture);
    if (m & vux_desktop_site_change::icon) s.icon.assign_buffer(u.icon);
    if (m & vux_desktop_site_change::background) s.background.assign_buffer(u.background);
    if (m & vux_desktop_site_change::home_picture) s.home_picture.assign_buffer(u.home_picture);
    if ((m & vux_desktop_site_change::activation_number) && u.activation_number.view() != s.activation_number.view()) {
        s.activation_number = u.activation_number;
        s.activated = 0;  // a new number has to be confirmed from that phone
    }
    take(vux_desktop_site_change::introduction, s.introduction, u.introduction);
    take(vux_desktop_site_change::telephone, s.telephone, u.telephone);
    take(vux_desktop_site_change::address, s.address, u.address);
    take(vux_desktop_site_change::map_options, s.map_options, u.map_options);
    take(vux_desktop_site_change::longitude, s.longitude, u.longitude);
    take(vux_desktop_site_change::latitude, s.latitude, u.latitude);
    if (m & vux_desktop_site_change::brush) {
        s.brush.opacity = u.brush.opacity;
        for (int32_t i = 0; i < u.brush.entries.count(); ++i) {
            const int32_t e = u.brush.entries.get(i);
            s.brush.set_entry(vux_desktop_brush::entry_key(e), vux_desktop_brush::entry_value(e));
        }
    }
    quellmark_apply_contact_update(s, u);
}

// The response to a request, and the account of its session; null when the
// session is not one the service handed out (the response says so).
std::unique_ptr<vux_desktop_response_site> answer(const vux_desktop_request_site& request, quellmark_context& c,
                                                  quellmark_account*& account) {
    auto response = std::make_unique<vux_desktop_response_site>();
    response->key = request.key;
    response->result = quellmark_result_unsupported;
    account = c.state.account_of(request.session);
    if (!account) response->result = quellmark_result_no_session;
    return response;
}

std::unique_ptr<vux_record> update(const vux_desktop_request_site& request, quellmark_context& c) {
    quellmark_account* account = nullptr;
    auto response = answer(request, c, account);
    if (!account) return response;
    vux_desktop_site* site = c.state.editable_site(*account, request.key);
    if (!site) {
        response->result = result_refused;
        return response;
    }
    response->result = 0;
    apply(request.site, *site);
    c.state.content.apply_update(*site, request.site);
    if (c.state.auto_activate) quellmark_confirm_activation(c.state, *account, request.key.str());
    response->site.copy_from(*site);
    return response;
}

}  // namespace

void quellmark_add_site_update_handlers(quellmark_handler_table& table) {
    table[{vux_desktop_request_site::code, update_operation}] = quellmark_handler_for<vux_desktop_request_site>(update);
}

bool quellmark_confirm_activation(quellmark_service_state& state, const quellmark_account& account,
                                  const std::string& key) {
    vux_desktop_site* site = state.find_site(key);
    if (account.document.groups.find_by_name(vux_string(key)) < 0 || !site || site->activation_number.empty())
        return false;
    site->activated = 1;
    return true;
}
