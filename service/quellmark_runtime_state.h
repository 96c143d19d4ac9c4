#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include "markup/model/vux_session.h"

// A phone the runtime side of the service knows: registered by its device
// key, logging on afterwards with the name and password it was given.
struct quellmark_device {
    std::string key;
    std::string user;
    std::string password;
};

// The runtime side of the stand-in: devices by key and the sessions handed
// to them. Kept apart from the administrators' accounts and sessions.
class quellmark_runtime_state {
public:
    // The device of that key, registered now when it is new. A device that
    // registers again keeps its name and password.
    const quellmark_device& register_device(const std::string& key);
    // The device of that user name whose password matches; null when the
    // password is wrong. A name the service never handed out is taken on as
    // a device of its own: the stand-in keeps its phones only while it runs,
    // and a phone that registered with an earlier run logs on with what it
    // was given then.
    const quellmark_device* logon(const std::string& user, const std::string& password);
    // A new session for a device.
    vux_session open_session(const std::string& key);
    // True when the service handed out this session (number and first token).
    bool has_session(const vux_session& session) const;
    // Whose sites the session shows: the identity its enter named (kept for
    // its later go requests).
    void set_identity(const vux_session& session, const std::string& identity);
    std::string identity(const vux_session& session) const;
    // Counts one vote of the session's phone on a site's vote: false when
    // that phone has voted on it already (or the session is unknown).
    bool take_vote(const vux_session& session, const std::string& site, const std::string& vote);
    bool has_voted(const vux_session& session, const std::string& site, const std::string& vote) const;
    int32_t device_count() const { return int32_t(devices_.size()); }

private:
    struct session_entry {
        std::string token;
        std::string key;
        std::string identity;
    };
    static std::string vote_key(const std::string& device, const std::string& site, const std::string& vote) {
        return device + '\n' + site + '\n' + vote;
    }
    std::map<std::string, quellmark_device> devices_;
    std::map<int32_t, session_entry> sessions_;
    std::set<std::string> votes_;  // device, site and vote keys
    bool user_taken(const std::string& user) const;
    int32_t next_user_ = 1;
};
