#include "service/quellmark_service_state.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include "core/vux_hex.h"

namespace {
vux_string text_of(const QJsonValue& v) {
    const QByteArray bytes = v.toString().toUtf8();
    return vux_string(bytes.constData(), int32_t(bytes.size()));
}

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

void read_document(const QJsonObject& o, vux_desktop_document& d) {
    d.value = o.value(QLatin1String("value")).toInt();
    d.groups.text = text_of(o.value(QLatin1String("selected")));
    for (const QJsonValue& s : o.value(QLatin1String("strings")).toArray()) d.strings.append(text_of(s));
    for (const QJsonValue& g : o.value(QLatin1String("groups")).toArray()) {
        const QJsonObject go = g.toObject();
        vux_desktop_group& group = d.groups.groups.add();
        group.state = go.value(QLatin1String("state")).toInt();
        group.name = text_of(go.value(QLatin1String("key")));
        group.display_name = text_of(go.value(QLatin1String("name")));
        group.text3 = text_of(go.value(QLatin1String("text3")));
        group.text4 = text_of(go.value(QLatin1String("text4")));
    }
}

std::string random_token() {
    std::string token;
    for (int i = 0; i < 4; ++i) token += vux_hex::format(int32_t(QRandomGenerator::system()->generate())).str();
    return token;
}
}  // namespace

bool quellmark_service_state::load(const QByteArray& json, QString* error) {
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (doc.isNull()) return fail(error, parse.errorString());
    if (!doc.isObject() || !doc.object().value(QLatin1String("accounts")).isArray())
        return fail(error, QStringLiteral("no \"accounts\" list"));
    std::map<std::string, std::unique_ptr<quellmark_account>> accounts;
    for (const QJsonValue& v : doc.object().value(QLatin1String("accounts")).toArray()) {
        const QJsonObject o = v.toObject();
        auto a = std::make_unique<quellmark_account>();
        a->name = lower_ascii(o.value(QLatin1String("name")).toString().toStdString());
        a->password = o.value(QLatin1String("password")).toString().toStdString();
        if (a->name.empty()) return fail(error, QStringLiteral("an account without a name"));
        if (accounts.count(a->name)) return fail(error, QStringLiteral("account %1 twice").arg(a->name.c_str()));
        a->activated = o.value(QLatin1String("activated")).toBool(true);
        a->profile = o.value(QLatin1String("profile")).toInt();
        a->profile_flag = o.value(QLatin1String("profile_flag")).toInt();
        read_document(o.value(QLatin1String("document")).toObject(), a->document);
        a->sites = o.value(QLatin1String("sites")).toObject();
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
