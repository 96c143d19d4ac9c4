// The phone runtime's messages: register and logon hand out a home (the
// service's own address and a session), enter and go answer with the site
// as members see it, poll answers at once. Every reply is a document: the
// response first, then what the phone should show.
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_request_enter.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_logon.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_request_register.h"
#include "markup/model/vux_response_enter.h"
#include "markup/model/vux_response_go.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_poll.h"
#include "markup/model/vux_response_register.h"
#include "service/quellmark_document_reply.h"
#include "service/quellmark_handler.h"
#include "service/quellmark_service_state.h"
#include "service/quellmark_site_page.h"

namespace {

// What the enter reply gives as the poll interval.
constexpr int32_t poll_interval = 30;
// The go code that asks for the site again.
constexpr int32_t go_refresh = 1;

vux_home home_of(const quellmark_context& c, const vux_session& session) {
    vux_home h;
    h.port = c.port;
    h.host = quellmark_utf8(c.host);
    h.path = quellmark_utf8(c.path);
    h.session = session;
    return h;
}

// A step that shows the error dialog (the fatal one with fatal set), run as
// soon as the reply is read.
void append_error(quellmark_document_reply& reply, const char16_t* text, bool fatal) {
    vux_action a;
    a.disposition = 1;
    auto step = std::make_unique<vux_action_error>();
    step->flag = fatal ? 1 : 0;
    step->message = vux_unicode(text);
    a.add_step(std::move(step));
    reply.append(a);
}

// The site the phone shows: the selected site of the administrator whose
// desktop session the phone names, else the first demo site.
void append_site(quellmark_document_reply& reply, const std::string& desktop_token, quellmark_context& c) {
    const vux_desktop_site* site = c.state.site_for_token(desktop_token);
    if (!site) return;
    const std::string records = quellmark_site_records(*site);
    if (records.empty()) {
        append_error(reply, u"The site cannot be shown.", false);
        return;
    }
    reply.append_records(records);
}

std::unique_ptr<vux_record> register_device(const vux_request_register& request, quellmark_context& c) {
    // The third text is the device key (or the number registered for it).
    const quellmark_device& d = c.state.runtime.register_device(request.text_3.str());
    auto response = std::make_unique<vux_response_register>();
    response->user = vux_string(d.user);
    response->password = vux_string(d.password);
    response->home = home_of(c, c.state.runtime.open_session(d.key));
    return std::make_unique<quellmark_document_reply>(std::move(response), 0);
}

std::unique_ptr<vux_record> logon(const vux_request_logon& request, quellmark_context& c) {
    const quellmark_device* d = c.state.runtime.logon(request.user.str(), request.password.str());
    if (!d) {
        // Without a home the phone cannot go on: no response, only why.
        auto reply = std::make_unique<quellmark_document_reply>(vux_type_response_logon, 0);
        append_error(*reply, u"This phone is not known to the service. Please register again.", true);
        return reply;
    }
    auto response = std::make_unique<vux_response_logon>();
    response->home = home_of(c, c.state.runtime.open_session(d->key));
    return std::make_unique<quellmark_document_reply>(std::move(response), 0);
}

std::unique_ptr<vux_record> enter(const vux_request_enter& request, quellmark_context& c) {
    auto response = std::make_unique<vux_response_enter>();
    response->document_value = poll_interval;
    const bool known = c.state.runtime.has_session(request.session);
    response->follow_up = known ? 1 : 0;
    auto reply = std::make_unique<quellmark_document_reply>(std::move(response), request.sequence);
    if (known) {
        c.state.runtime.set_site_token(request.session, request.identity_b.str());
        append_site(*reply, request.identity_b.str(), c);
    }
    else
        append_error(*reply, u"The session has ended. Please start again.", true);
    return reply;
}

std::unique_ptr<vux_record> go(const vux_request_go& request, quellmark_context& c) {
    auto reply = std::make_unique<quellmark_document_reply>(std::make_unique<vux_response_go>(), request.sequence);
    if (!c.state.runtime.has_session(request.session))
        append_error(*reply, u"The session has ended. Please start again.", true);
    else if (request.code == go_refresh)
        append_site(*reply, c.state.runtime.site_token(request.session), c);
    return reply;
}

std::unique_ptr<vux_record> poll(const vux_request_poll& request, quellmark_context& c) {
    // Nothing is pending: follow-up 0 and continued 0 end the exchange.
    auto reply = std::make_unique<quellmark_document_reply>(std::make_unique<vux_response_poll>(), 0);
    if (!c.state.runtime.has_session(request.session))
        append_error(*reply, u"The session has ended. Please start again.", true);
    return reply;
}

}  // namespace

void quellmark_add_runtime_handlers(quellmark_handler_table& table) {
    table[vux_type_request_enter] = quellmark_handler_for<vux_request_enter>(enter);
    table[vux_type_request_go] = quellmark_handler_for<vux_request_go>(go);
    table[vux_type_request_logon] = quellmark_handler_for<vux_request_logon>(logon);
    table[vux_type_request_poll] = quellmark_handler_for<vux_request_poll>(poll);
    table[vux_type_request_register] = quellmark_handler_for<vux_request_register>(register_device);
}
