#include "service/quellmark_service_state.h"
#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include "core/vux_hex.h"
#include "core/vux_record_build.h"
#include "desktop/orbel_contact_key.h"

namespace {
namespace json = vux_record_build;

std::string lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

bool fail(QString* error, const std::string& account, const std::string& why) {
    return fail(error,
                QStringLiteral("account %1: %2").arg(QString::fromStdString(account), QString::fromStdString(why)));
}

using site_map = std::map<std::string, std::unique_ptr<vux_desktop_site>>;

// Puts bytes into a record's byte field of one name (its own fields only).
class byte_field_setter : public vux_field_visitor {
public:
    byte_field_setter(std::string_view name, const QByteArray& bytes) : name_(name), bytes_(bytes) {}
    bool found() const { return found_; }

    void bytes(const char* name, vux_buffer& v) override {
        if (name_ != name) return;
        v.assign_bytes(bytes_.constData(), int32_t(bytes_.size()));
        found_ = true;
    }
    void int32(const char*, int32_t&) override {}
    void int16(const char*, int16_t&) override {}
    void byte(const char*, uint8_t&) override {}
    void string(const char*, vux_string&) override {}
    void unicode(const char*, vux_unicode&) override {}
    void strings(const char*, vux_string_list&) override {}
    void integers(const char*, vux_integer_list&) override {}
    void record(const char*, vux_record&) override {}
    void records(const char*, vux_object_list&, const vux_record_factory&) override {}
    void child(const char*, std::unique_ptr<vux_record>&, const vux_record_factory&) override {}

private:
    std::string_view name_;
    const QByteArray& bytes_;
    bool found_ = false;
};

// A site's pictures: byte fields the service draws at load instead of
// carrying them as hex, each {"width", "height", "color": "#rrggbb"}: a PNG
// of one colour. They sit beside the sites (the account's "pictures", by
// key), since a site itself is a record in the dumper's form and holds
// nothing else. False with a reason for a picture it cannot draw.
bool draw_pictures(const json::value* pictures, vux_desktop_site& site, std::string* why) {
    if (!pictures) return true;
    constexpr long long largest_side = 4096;
    for (size_t i = 0; i < json::size(*pictures); ++i) {
        const std::string name(json::member_name(*pictures, i));
        const json::value* p = json::member_at(*pictures, i);
        const long long width = json::number(json::member(*p, "width"));
        const long long height = json::number(json::member(*p, "height"));
        const QColor color(QString::fromStdString(json::text(json::member(*p, "color"), "#1ba1e2")));
        if (width < 1 || height < 1 || width > largest_side || height > largest_side || !color.isValid()) {
            *why = "picture " + name + ": width and height 1-4096 and a colour #rrggbb";
            return false;
        }
        QImage image(int(width), int(height), QImage::Format_RGB32);
        image.fill(color);
        QByteArray png;
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        image.save(&out, "PNG");
        byte_field_setter setter(name, png);
        site.fields(setter);
        if (!setter.found()) {
            *why = "picture " + name + ": no byte field of that name";
            return false;
        }
    }
    return true;
}

// One account of the data file into a, its sites into sites; false with a reason.
bool read_account(const json::value& o, quellmark_account& a, site_map& sites, QString* error) {
    a.name = lower_ascii(json::text(json::member(o, "name")));
    a.password = json::text(json::member(o, "password"));
    if (a.name.empty()) return fail(error, QStringLiteral("an account without a name"));
    a.activated = json::boolean(json::member(o, "activated"), true);
    a.profile = int32_t(json::number(json::member(o, "profile")));
    a.profile_flag = int32_t(json::number(json::member(o, "profile_flag")));
    std::string why;
    if (const json::value* d = json::member(o, "document"); d && !json::fill(*d, a.document, &why))
        return fail(error, a.name, "document: " + why);
    const json::value* listed = json::member(o, "sites");
    if (const json::value* pictures = json::member(o, "pictures")) {
        for (size_t i = 0; i < json::size(*pictures); ++i) {
            const std::string key(json::member_name(*pictures, i));
            if (!listed || !json::member(*listed, key))
                return fail(error, a.name, "pictures of " + key + ", no site of its own");
        }
    }
    if (listed) {
        for (size_t i = 0; i < json::size(*listed); ++i) {
            auto site = std::make_unique<vux_desktop_site>();
            const std::string key(json::member_name(*listed, i));
            const json::value& entry = *json::member_at(*listed, i);
            const json::value* pictures = json::member(o, "pictures");
            // Contact tables may be written as lists of {name, value, icon}.
            if (!json::fill(entry, *site, {orbel_contact_json_form()}, &why) ||
                !draw_pictures(pictures ? json::member(*pictures, key) : nullptr, *site, &why))
                return fail(error, a.name, "site " + key + ": " + why);
            if (!sites.emplace(key, std::move(site)).second) return fail(error, a.name, "site " + key + " twice");
        }
    }
    return true;
}

bool read_offer(const json::value& o, quellmark_offer& offer, QString* error) {
    offer.key = json::text(json::member(o, "key"));
    offer.from = lower_ascii(json::text(json::member(o, "from")));
    offer.to = lower_ascii(json::text(json::member(o, "to")));
    offer.code = json::text(json::member(o, "code"));
    if (offer.key.empty() || offer.from.empty() || offer.to.empty() || offer.code.empty())
        return fail(error, QStringLiteral("an offer needs key, from, to and code"));
    return true;
}

// Visits every int32 field named "time" of a record and of the records it
// holds: the dates of news, notices, votes and messages.
class time_fields : public vux_field_visitor {
public:
    explicit time_fields(std::function<void(int32_t&)> visit) : visit_(std::move(visit)) {}

    void int32(const char* name, int32_t& v) override {
        if (std::string_view(name) == "time") visit_(v);
    }
    void record(const char*, vux_record& r) override { r.fields(*this); }
    void records(const char*, vux_object_list& list, const vux_record_factory&) override {
        for (int32_t i = 0; i < list.get_count(); ++i)
            if (auto* r = dynamic_cast<vux_record*>(list.get(i))) r->fields(*this);
    }
    void child(const char*, std::unique_ptr<vux_record>& c, const vux_record_factory&) override {
        if (c) c->fields(*this);
    }
    void int16(const char*, int16_t&) override {}
    void byte(const char*, uint8_t&) override {}
    void string(const char*, vux_string&) override {}
    void unicode(const char*, vux_unicode&) override {}
    void bytes(const char*, vux_buffer&) override {}
    void strings(const char*, vux_string_list&) override {}
    void integers(const char*, vux_integer_list&) override {}

private:
    std::function<void(int32_t&)> visit_;
};

std::string random_token() {
    std::string token;
    for (int i = 0; i < 4; ++i) token += vux_hex::format(int32_t(QRandomGenerator::system()->generate())).str();
    return token;
}
}  // namespace

bool quellmark_service_state::load(const QByteArray& text, QString* error) {
    std::string why;
    json::value_ptr doc = json::parse(std::string_view(text.constData(), size_t(text.size())), &why);
    if (!doc) return fail(error, QString::fromStdString(why));
    const json::value* list = json::member(*doc, "accounts");
    if (!list || !json::is_array(*list)) return fail(error, QStringLiteral("no \"accounts\" list"));
    std::map<std::string, std::unique_ptr<quellmark_account>> accounts;
    site_map sites;
    for (size_t i = 0; const json::value* v = json::element(*list, i); ++i) {
        auto a = std::make_unique<quellmark_account>();
        if (!read_account(*v, *a, sites, error)) return false;
        if (accounts.count(a->name)) return fail(error, QStringLiteral("account %1 twice").arg(a->name.c_str()));
        accounts[a->name] = std::move(a);
    }
    std::vector<quellmark_offer> offers;
    if (const json::value* listed = json::member(*doc, "offers")) {
        for (size_t i = 0; const json::value* v = json::element(*listed, i); ++i)
            if (!read_offer(*v, offers.emplace_back(), error)) return false;
    }
    quellmark_content_store new_content;
    for (size_t i = 0; const json::value* v = json::element(*list, i); ++i) {
        if (const json::value* c = json::member(*v, "conversations"); c && !new_content.load_conversations(*c, &why))
            return fail(error, QString::fromStdString(why));
    }
    for (auto& [key, site] : sites) new_content.take_pictures(*site);
    content = std::move(new_content);
    accounts_ = std::move(accounts);
    sites_ = std::move(sites);
    offers_ = std::move(offers);
    sms_log_.clear();
    challenges_.clear();
    sessions_.clear();
    return true;
}

bool quellmark_service_state::load_file(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return fail(error, QStringLiteral("%1: %2").arg(path, f.errorString()));
    return load(f.readAll(), error);
}

bool quellmark_service_state::load_demo(QString* error) {
    // The resource lives in a static library: it has to be registered by hand.
    Q_INIT_RESOURCE(service);
    if (!load_file(QStringLiteral(":/service/demo.json"), error)) return false;
    // Pictures, colours and home pages of the edited demo sites, apart from
    // the accounts and lists.
    QFile pages(QStringLiteral(":/service/demo_pages.json"));
    if (!pages.open(QIODevice::ReadOnly)) return fail(error, pages.errorString());
    return overlay(pages.readAll(), error);
}

int64_t quellmark_service_state::move_dates_before(int64_t now) {
    auto each_date = [this](const std::function<void(int32_t&)>& visit) {
        time_fields fields(visit);
        for (auto& [key, site] : sites_) site->fields(fields);
        content.for_each_time(visit);
    };
    int64_t earliest = INT64_MAX, latest = INT64_MIN;
    each_date([&](int32_t& t) {
        earliest = std::min<int64_t>(earliest, t);
        latest = std::max<int64_t>(latest, t);
    });
    if (latest < earliest) return 0;
    constexpr int64_t day = 86400;
    auto day_of = [](int64_t t) { return (t >= 0 ? t : t - (day - 1)) / day; };
    const int64_t by = (day_of(now) - 1 - day_of(latest)) * day;
    if (by == 0 || earliest + by < INT32_MIN || latest + by > INT32_MAX) return 0;
    each_date([by](int32_t& t) { t = int32_t(t + by); });
    return by;
}

bool quellmark_service_state::overlay(const QByteArray& text, QString* error) {
    std::string why;
    json::value_ptr doc = json::parse(std::string_view(text.constData(), size_t(text.size())), &why);
    if (!doc) return fail(error, QString::fromStdString(why));
    const json::value* list = json::member(*doc, "accounts");
    if (!list || !json::is_array(*list)) return fail(error, QStringLiteral("no \"accounts\" list"));
    for (size_t i = 0; const json::value* v = json::element(*list, i); ++i) {
        const std::string name = json::text(json::member(*v, "name"));
        quellmark_account* a = find_account(vux_string(name));
        if (!a) return fail(error, QStringLiteral("no account %1").arg(name.c_str()));
        const json::value* sites = json::member(*v, "sites");
        for (size_t k = 0; sites && k < json::size(*sites); ++k) {
            const std::string key(json::member_name(*sites, k));
            vux_desktop_site* site = find_site(key);
            if (!site) return fail(error, a->name, "no site " + key);
            if (!json::fill(*json::member_at(*sites, k), *site, &why))
                return fail(error, a->name, "site " + key + ": " + why);
        }
    }
    return true;
}

quellmark_account* quellmark_service_state::find_account(const vux_string& name) {
    auto it = accounts_.find(lower_ascii(name.view()));
    return it == accounts_.end() ? nullptr : it->second.get();
}

quellmark_account& quellmark_service_state::add_account(const std::string& name, const std::string& password) {
    auto a = std::make_unique<quellmark_account>();
    a->name = lower_ascii(name);
    a->password = password;
    quellmark_account& ref = *a;
    accounts_[ref.name] = std::move(a);
    return ref;
}

uint32_t quellmark_service_state::new_challenge(const std::string& account) {
    const uint32_t c = challenge_source_ ? challenge_source_() : QRandomGenerator::system()->generate();
    challenges_[account] = c;
    return c;
}

std::optional<uint32_t> quellmark_service_state::take_challenge(const std::string& account) {
    auto it = challenges_.find(account);
    if (it == challenges_.end()) return std::nullopt;
    const uint32_t c = it->second;
    challenges_.erase(it);
    return c;
}

vux_desktop_site* quellmark_service_state::find_site(const std::string& key) {
    const auto it = sites_.find(key);
    return it == sites_.end() ? nullptr : it->second.get();
}

std::string quellmark_service_state::add_site() {
    // Keys are "q" and seven digits; anything else held does not count.
    long long highest = 0;
    for (const auto& [key, site] : sites_) {
        if (key.size() != 8 || key[0] != 'q') continue;
        if (!std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
        highest = std::max(highest, std::stoll(key.substr(1)));
    }
    // Past "q9999999" the numbers wrap round to the first one free.
    char key[16];
    for (long long n = highest + 1;; ++n) {
        std::snprintf(key, sizeof key, "q%07lld", n % 10000000);
        if (!sites_.count(key)) break;
    }
    sites_[key] = std::make_unique<vux_desktop_site>();
    return key;
}

const quellmark_session& quellmark_service_state::open_session(const std::string& account) {
    int32_t id = 0;
    // Positive and unused: the client keys the password's cipher with it.
    do id = int32_t(QRandomGenerator::system()->bounded(1, INT32_MAX));
    while (sessions_.count(id));
    quellmark_session& s = sessions_[id];
    s.id = id;
    s.token = random_token();
    s.account = account;
    return s;
}

quellmark_account* quellmark_service_state::account_of(const vux_desktop_session& session) {
    auto it = sessions_.find(session.id);
    if (it == sessions_.end() || it->second.token != session.text1.view()) return nullptr;
    if (it->second.account != session.account.view()) return nullptr;
    auto a = accounts_.find(it->second.account);
    return a == accounts_.end() ? nullptr : a->second.get();
}

std::vector<std::string> quellmark_service_state::visible_site_keys(const quellmark_account& account) const {
    std::vector<std::string> keys;
    const auto& groups = account.document.groups.groups;
    for (int32_t i = 0; i < groups.get_count(); ++i) {
        const vux_desktop_group& g = *groups.at(i);
        // 2: handed over to another account; 3: offered to this one, not yet taken.
        if (g.state != 0 && g.state != 1) continue;
        auto it = sites_.find(g.name.str());
        if (it == sites_.end() || !it->second->is_complete()) continue;
        if (std::find(keys.begin(), keys.end(), it->first) == keys.end()) keys.push_back(it->first);
    }
    return keys;
}

vux_desktop_site* quellmark_service_state::visible_site(const quellmark_account& account, const std::string& key) {
    const std::vector<std::string> keys = visible_site_keys(account);
    return std::find(keys.begin(), keys.end(), key) == keys.end() ? nullptr : find_site(key);
}

quellmark_service_state::phone_view quellmark_service_state::phone_view_of(const std::string& identity) const {
    phone_view view;
    const size_t blank = identity.find(' ');
    const std::string who = identity.substr(0, blank);
    if (blank != std::string::npos) view.selected = identity.substr(blank + 1);
    if (!who.empty()) {
        for (const auto& [id, s] : sessions_) {
            if (s.token != who) continue;
            if (auto a = accounts_.find(s.account); a != accounts_.end()) view.account = a->second.get();
            break;
        }
        if (!view.account)
            if (auto a = accounts_.find(who); a != accounts_.end()) view.account = a->second.get();
    }
    if (!view.account) {
        view.selected.clear();
        for (const auto& [name, a] : accounts_)
            if (!visible_site_keys(*a).empty()) {
                view.account = a.get();
                break;
            }
    }
    return view;
}

QByteArray quellmark_service_state::client_bytes() const {
    if (client_bytes_) return *client_bytes_;
    if (client_path_.isEmpty()) return {};
    QFile f(client_path_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
