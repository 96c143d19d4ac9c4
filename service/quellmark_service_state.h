#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>
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
    // The site list that the group reply carries: the groups name the sites
    // by key; the sites themselves are the service's (one record per key,
    // whichever accounts list it).
    vux_desktop_document document;

    // Member accounts may transfer sites and send SMS invitations.
    bool is_member() const { return profile == 1; }
};

// A transfer waiting for its receiver.
struct quellmark_offer {
    std::string key;
    std::string from;  // sending account
    std::string to;    // receiving account
    std::string code;  // the verification code the receiver must give
};

// An SMS invitation the service would have texted (kept for tests).
struct quellmark_sms {
    std::string account;
    std::string key;
    std::string text;
    std::vector<std::string> numbers;
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
    // Replaces the accounts, sites and offers with those of a data file's
    // text; false (with a reason) and nothing changed when it does not parse.
    // An account's "document" and each of its "sites" (by key) are records in
    // the dumper's JSON form, a site's byte fields either hex or drawn at load
    // from the account's "pictures" (by site key: size and colour); "offers" lists the transfers
    // waiting.
    bool load(const QByteArray& json, QString* error = nullptr);
    bool load_file(const QString& path, QString* error = nullptr);
    // The demo data built into the service.
    bool load_demo(QString* error = nullptr);
    // Moves every date the data holds (news, notices, votes and private
    // messages) by whole days so that the latest falls on the day before the
    // one of `now` (seconds since 1970, UTC days); their order, gaps and
    // times of day stay. The program does this to its demo data as it
    // starts, so that what a user sends then sorts after the demo's own;
    // tests keep the dates as written. Nothing moves when there are no dates
    // or a moved one would leave the 32-bit range. Returns the seconds moved.
    int64_t move_dates_before(int64_t now);
    // Fields laid over sites already loaded: {"accounts": [{"name", "sites":
    // {key: record}}]}, each record holding only the fields it changes.
    // False (with a reason) when it does not parse or names a site that is
    // not there; the sites before the faulty one keep their new fields.
    bool overlay(const QByteArray& json, QString* error = nullptr);

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

    // Every site, by key; a key is held once.
    vux_desktop_site* find_site(const std::string& key);
    const std::map<std::string, std::unique_ptr<vux_desktop_site>>& sites() const { return sites_; }
    // Adds a default site (not named, not activated) under a fresh key:
    // "q" and seven digits after the highest key held.
    std::string add_site();
    void remove_site(const std::string& key) { sites_.erase(key); }
    // The stored site of a key in the account's list; null when the list has
    // no such group or it was handed over to another account (state 2).
    vux_desktop_site* editable_site(const quellmark_account& account, const vux_string& key) {
        const vux_desktop_group_list& groups = account.document.groups;
        const int32_t i = groups.find_by_name(key);
        if (i < 0 || groups.groups.at(i)->state == 2) return nullptr;
        return find_site(key.str());
    }
    // The stored site of a key, made (a default site) when none is held.
    vux_desktop_site& ensure_site(const std::string& key) {
        auto& site = sites_[key];
        if (!site) site = std::make_unique<vux_desktop_site>();
        return *site;
    }

    std::vector<quellmark_offer>& offers() { return offers_; }
    std::vector<quellmark_sms>& sms_log() { return sms_log_; }

    const quellmark_session& open_session(const std::string& account);
    // The account a request's session belongs to; null unless the session's
    // id and token are those the service handed out.
    quellmark_account* account_of(const vux_desktop_session& session);

    // Whose sites a phone shows, from the text its enter names: the desktop
    // session's second text (the account's name) or a desktop session's
    // token, then, when the administrator has a site selected, a blank and
    // that site's key. An identity that names no account shows the first
    // account that has a site members can see.
    struct phone_view {
        const quellmark_account* account = nullptr;
        std::string selected;  // empty: none selected
    };
    phone_view phone_view_of(const std::string& identity) const;
    // What members of the account see: its sites that are published,
    // activated and named, in a group the account still holds (not handed
    // over, not offered to it), in the order of its list.
    std::vector<std::string> visible_site_keys(const quellmark_account& account) const;
    // The site of that key when members of the account see it, else null.
    vux_desktop_site* visible_site(const quellmark_account& account, const std::string& key);
    // The phones of the runtime messages.
    quellmark_runtime_state runtime;
    // Pictures of news, notices and votes, and private messages.
    quellmark_content_store content;

    // The client program the launcher messages check and serve: a file read
    // at each request (so a rebuilt client is served as it is now), or bytes
    // set directly. Both empty: there is no client to serve.
    void set_client_file(const QString& path) {
        client_path_ = path;
        client_bytes_.reset();
    }
    void set_client_bytes(const QByteArray& bytes) { client_bytes_ = bytes; }
    // The client's bytes; empty when there is none or it cannot be read.
    QByteArray client_bytes() const;
    bool has_client() const { return client_bytes_.has_value() || !client_path_.isEmpty(); }

    // Activation numbers count as confirmed as soon as a site update sets
    // them, as if the phone had answered at once (for trying the client).
    bool auto_activate = false;

private:
    std::map<std::string, std::unique_ptr<quellmark_account>> accounts_;
    std::map<std::string, std::unique_ptr<vux_desktop_site>> sites_;
    std::vector<quellmark_offer> offers_;
    std::vector<quellmark_sms> sms_log_;
    std::map<std::string, uint32_t> challenges_;
    std::function<uint32_t()> challenge_source_;
    std::map<int32_t, quellmark_session> sessions_;
    QString client_path_;
    std::optional<QByteArray> client_bytes_;
};
