#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <QByteArray>
#include <QString>
#include "desktop/records/vux_desktop_document.h"
#include "desktop/records/vux_desktop_session.h"
#include "desktop/records/vux_desktop_site.h"
#include "service/quellmark_content.h"
#include "service/quellmark_runtime_state.h"

// One administrator account of the stand-in service.
struct quellmark_account {
    std::string name;  // lower-cased, as the client sends it
    std::string password;
    // false: the account exists but was never activated by e-mail, so logon
    // answers without a challenge.
    bool activated = true;
    int32_t profile = 0;
    // The profile reply's flag: 0 asks the client for the site list next.
    int32_t profile_flag = 0;
    // The site list that the group reply carries.
    vux_desktop_document document;
    // Each site the service keeps, by site key.
    std::map<std::string, std::unique_ptr<vux_desktop_site>> sites;
};

struct quellmark_session {
    int32_t id = 0;
    std::string token;
    std::string account;
};

// Everything the service knows, in memory: accounts seeded from a data file,
// pending logon challenges, open sessions and the client program it serves.
class quellmark_service_state {
public:
    // Replaces the accounts with those of a data file's text; false (with a
    // reason) and nothing changed when it does not parse. An account's
    // "document" and each of its "sites" are records in the dumper's JSON form.
    bool load(const QByteArray& json, QString* error = nullptr);
    bool load_file(const QString& path, QString* error = nullptr);
    // The demo data built into the service.
    bool load_demo(QString* error = nullptr);

    // The account of a name in any case; null when unknown.
    quellmark_account* find_account(const vux_string& name);
    quellmark_account& add_account(const std::string& name, const std::string& password);
    int32_t account_count() const { return int32_t(accounts_.size()); }

    // A fresh challenge for the account, replacing any earlier one.
    uint32_t new_challenge(const std::string& account);
    // Where challenges come from: the system's random source unless a test
    // needs known ones (a small challenge, to see its leading zeros).
    void set_challenge_source(std::function<uint32_t()> source) { challenge_source_ = std::move(source); }
    // The pending challenge, which is used up by asking: each challenge
    // answers one verify attempt.
    std::optional<uint32_t> take_challenge(const std::string& account);

    const quellmark_session& open_session(const std::string& account);
    // The account a request's session belongs to; null unless the session's
    // id and token are those the service handed out.
    quellmark_account* account_of(const vux_desktop_session& session);

    // The site a phone shows: the selected site of the account whose desktop
    // session text is token, else the first site of the demo data; null when
    // there is none.
    const vux_desktop_site* site_for_token(const std::string& token) const;
    // The phones of the runtime messages.
    quellmark_runtime_state runtime;
    // Pictures of news, notices and votes, and private messages.
    quellmark_content_store content;

    // The client program the launcher messages check and serve: a file read
    // at each request (so a rebuilt client is served as it is now), or bytes
    // set directly. Both empty: there is no client to serve.
    void set_client_file(const QString& path) { client_path_ = path; client_bytes_.reset(); }
    void set_client_bytes(const QByteArray& bytes) { client_bytes_ = bytes; }
    // The client's bytes; empty when there is none or it cannot be read.
    QByteArray client_bytes() const;
    bool has_client() const { return client_bytes_.has_value() || !client_path_.isEmpty(); }

private:
    std::map<std::string, std::unique_ptr<quellmark_account>> accounts_;
    std::map<std::string, uint32_t> challenges_;
    std::function<uint32_t()> challenge_source_;
    std::map<int32_t, quellmark_session> sessions_;
    QString client_path_;
    std::optional<QByteArray> client_bytes_;
};
