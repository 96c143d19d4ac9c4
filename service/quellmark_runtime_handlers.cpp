// The phone runtime's messages: register and logon hand out a home (the
// service's own address and a session), enter and go answer with the pages
// a member sees (the home page of an account's sites, a site, one news item,
// one vote), poll answers at once. Every reply is a document: the response
// first, then what the phone should show.
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
#include "service/quellmark_phone_pages.h"
#include "service/quellmark_service_state.h"

namespace {

constexpr const char16_t* session_ended = u"会话已经结束，请重新开始。";

// What the enter reply gives as the poll interval.
constexpr int32_t poll_interval = 30;

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

void append_page(quellmark_document_reply& reply, const std::string& records, const std::string& error) {
    if (records.empty()) {
        if (!error.empty()) append_error(reply, u"无法显示这个页面。", false);
        return;
    }
    reply.append_records(records);
}

// The pages of one phone session: whose sites it shows, and which of them
// its member may see.
struct phone_pages {
    quellmark_context& c;
    const vux_session& session;
    quellmark_service_state::phone_view view = c.state.phone_view_of(c.state.runtime.identity(session));

    quellmark_phone_site site(const std::string& key) {
        quellmark_phone_site s;
        s.key = key;
        s.site = view.account ? c.state.visible_site(*view.account, key) : nullptr;
        s.picture = [this](const std::string& name) { return c.state.content.picture(name); };
        return s;
    }
    void home(quellmark_document_reply& reply) {
        std::vector<quellmark_phone_site> sites;
        if (view.account)
            for (const std::string& key : c.state.visible_site_keys(*view.account)) sites.push_back(site(key));
        std::string error;
        append_page(reply, quellmark_home_records(sites, &error), error);
    }
    // The site's page (opening at `section`, when it has one of that name),
    // or the home page when members do not see it.
    void site_or_home(quellmark_document_reply& reply, const std::string& key, const std::string& section = {}) {
        quellmark_phone_site s = site(key);
        s.section = section;
        if (!s.site) return home(reply);
        std::string error;
        append_page(reply, quellmark_site_records(s, &error), error);
    }
    void news(quellmark_document_reply& reply, const std::string& key, const std::string& item) {
        const quellmark_phone_site s = site(key);
        std::string error;
        const std::string records = s.site ? quellmark_news_records(s, item, &error) : std::string();
        if (records.empty() && error.empty()) return site_or_home(reply, key);
        append_page(reply, records, error);
    }
    void vote(quellmark_document_reply& reply, const std::string& key, const std::string& item) {
        const quellmark_phone_site s = site(key);
        std::string error;
        const bool voted = c.state.runtime.has_voted(session, key, item);
        const std::string records = s.site ? quellmark_vote_records(s, item, voted, &error) : std::string();
        if (records.empty() && error.empty()) return site_or_home(reply, key);
        append_page(reply, records, error);
    }
    // A choice "<vote key>/<option index>": counted once per phone and vote,
    // then the vote's page with the counts.
    void cast(quellmark_document_reply& reply, const std::string& key, const std::string& choice) {
        const size_t slash = choice.rfind('/');
        const std::string item = choice.substr(0, slash);
        vux_desktop_site* stored = view.account ? c.state.visible_site(*view.account, key) : nullptr;
        const int32_t i = stored ? stored->votes.find_by_key(vux_string(item)) : -1;
        if (i >= 0 && slash != std::string::npos) {
            vux_desktop_vote& v = *stored->votes.items.at(i);
            const std::string digits = choice.substr(slash + 1);
            const bool number =
                !digits.empty() && digits.size() <= 4 && digits.find_first_not_of("0123456789") == std::string::npos;
            const int32_t option = number ? std::stoi(digits) : -1;
            if (option >= 0 && option < v.options.count() && c.state.runtime.take_vote(session, key, item)) {
                while (v.counts.count() < v.options.count()) v.counts.append(0);
                const int32_t count = v.counts.get(option);
                if (count < INT32_MAX) v.counts.set(option, count + 1);
            }
        }
        vote(reply, key, item);
    }
    // The page the phone starts with: the selected site, else the home page.
    void first(quellmark_document_reply& reply) { site_or_home(reply, view.selected); }
};

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
        append_error(*reply, u"服务不认识这部手机，请重新注册。", true);
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
        c.state.runtime.set_identity(request.session, request.identity_b.str());
        phone_pages{c, request.session}.first(*reply);
    } else {
        append_error(*reply, session_ended, true);
    }
    return reply;
}

std::unique_ptr<vux_record> go(const vux_request_go& request, quellmark_context& c) {
    auto reply = std::make_unique<quellmark_document_reply>(std::make_unique<vux_response_go>(), request.sequence);
    if (!c.state.runtime.has_session(request.session)) {
        append_error(*reply, session_ended, true);
        return reply;
    }
    phone_pages pages{c, request.session};
    const std::string key = request.target_1.str(), item = request.target_2.str();
    switch (request.code) {
    case quellmark_go_default: pages.first(*reply); break;
    case quellmark_go_site: pages.site_or_home(*reply, key, item); break;
    case quellmark_go_home: pages.home(*reply); break;
    case quellmark_go_news: pages.news(*reply, key, item); break;
    case quellmark_go_vote: pages.vote(*reply, key, item); break;
    case quellmark_go_cast: pages.cast(*reply, key, item); break;
    default: break;  // nothing to show: the exchange only ends
    }
    return reply;
}

std::unique_ptr<vux_record> poll(const vux_request_poll& request, quellmark_context& c) {
    // Nothing is pending: follow-up 0 and continued 0 end the exchange.
    auto reply = std::make_unique<quellmark_document_reply>(std::make_unique<vux_response_poll>(), 0);
    if (!c.state.runtime.has_session(request.session)) append_error(*reply, session_ended, true);
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
