#include "service/quellmark_service_state.h"
#include <QFile>
#include <QRandomGenerator>
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
    return fail(error, QStringLiteral("account %1: %2").arg(QString::fromStdString(account), QString::fromStdString(why)));
}

// One account of the data file into a; false with a reason.
bool read_account(const json::value& o, quellmark_account& a, QString* error) {
    a.name = lower_ascii(json::text(json::member(o, "name")));
    a.password = json::text(json::member(o, "password"));
    if (a.name.empty()) return fail(error, QStringLiteral("an account without a name"));
    a.activated = json::boolean(json::member(o, "activated"), true);
    a.profile = int32_t(json::number(json::member(o, "profile")));
    a.profile_flag = int32_t(json::number(json::member(o, "profile_flag")));
    std::string why;
    if (const json::value* d = json::member(o, "document"); d && !json::fill(*d, a.document, &why))
        return fail(error, a.name, "document: " + why);
    if (const json::value* sites = json::member(o, "sites")) {
        for (size_t i = 0; i < json::size(*sites); ++i) {
            auto site = std::make_unique<vux_desktop_site>();
            const std::string key(json::member_name(*sites, i));
            // Contact tables may be written as lists of {name, value, icon}.
            if (!json::fill(*json::member_at(*sites, i), *site, {orbel_contact_json_form()}, &why))
                return fail(error, a.name, "site " + key + ": " + why);
            a.sites[key] = std::move(site);
        }
    }
    return true;
}

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
    if (!list || !json::is_array(*list))
        return fail(error, QStringLiteral("no \"accounts\" list"));
    std::map<std::string, std::unique_ptr<quellmark_account>> accounts;
    for (size_t i = 0; const json::value* v = json::element(*list, i); ++i) {
        auto a = std::make_unique<quellmark_account>();
        if (!read_account(*v, *a, error)) return false;
        if (accounts.count(a->name)) return fail(error, QStringLiteral("account %1 twice").arg(a->name.c_str()));
        accounts[a->name] = std::move(a);
    }
    accounts_ = std::move(accounts);
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
    return load_file(QStringLiteral(":/service/demo.json"), error);
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

QByteArray quellmark_service_state::client_bytes() const {
    if (client_bytes_) return *client_bytes_;
    if (client_path_.isEmpty()) return {};
    QFile f(client_path_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
