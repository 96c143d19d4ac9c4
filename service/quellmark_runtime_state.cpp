#include "service/quellmark_runtime_state.h"
#include <QRandomGenerator>

namespace {
std::string random_hex(int bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        const uint32_t b = QRandomGenerator::system()->bounded(256u);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}
}  // namespace

const quellmark_device& quellmark_runtime_state::register_device(const std::string& key) {
    auto it = devices_.find(key);
    if (it != devices_.end()) return it->second;
    // A name no phone holds, one taken on at logon included.
    std::string user;
    do user = "m" + std::to_string(next_user_++);
    while (user_taken(user));
    quellmark_device& d = devices_[key];
    d.key = key;
    d.user = user;
    d.password = random_hex(8);
    return d;
}

bool quellmark_runtime_state::user_taken(const std::string& user) const {
    for (const auto& [key, d] : devices_)
        if (d.user == user) return true;
    return false;
}

const quellmark_device* quellmark_runtime_state::logon(const std::string& user, const std::string& password) {
    for (const auto& [key, d] : devices_)
        if (d.user == user) return d.password == password ? &d : nullptr;
    if (user.empty() || password.empty()) return nullptr;
    // Device keys are the phones' own numbers: a prefix keeps these apart.
    const std::string key = "logon:" + user;
    quellmark_device& d = devices_[key];
    d.key = key;
    d.user = user;
    d.password = password;
    return &d;
}

vux_session quellmark_runtime_state::open_session(const std::string& key) {
    int32_t id = 0;
    do id = int32_t(QRandomGenerator::system()->bounded(1, INT32_MAX));
    while (sessions_.count(id));
    session_entry& e = sessions_[id];
    e.token = random_hex(8);
    e.key = key;
    vux_session s;
    s.number = id;
    s.token_1 = vux_string(e.token);
    return s;
}

bool quellmark_runtime_state::has_session(const vux_session& session) const {
    auto it = sessions_.find(session.number);
    return it != sessions_.end() && it->second.token == session.token_1.view();
}

void quellmark_runtime_state::set_identity(const vux_session& session, const std::string& identity) {
    if (has_session(session)) sessions_[session.number].identity = identity;
}

std::string quellmark_runtime_state::identity(const vux_session& session) const {
    return has_session(session) ? sessions_.at(session.number).identity : std::string();
}

bool quellmark_runtime_state::has_voted(const vux_session& session, const std::string& site,
                                        const std::string& vote) const {
    return has_session(session) && votes_.count(vote_key(sessions_.at(session.number).key, site, vote)) > 0;
}

bool quellmark_runtime_state::take_vote(const vux_session& session, const std::string& site, const std::string& vote) {
    if (!has_session(session)) return false;
    return votes_.insert(vote_key(sessions_.at(session.number).key, site, vote)).second;
}
