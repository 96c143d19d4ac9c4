#pragma once
#include <cstdint>
#include <map>
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
    // Which administrator's site the session shows: the desktop session text
    // its enter named (kept for its later go requests).
    void set_site_token(const vux_session& session, const std::string& token);
    std::string site_token(const vux_session& session) const;
    int32_t device_count() const { return int32_t(devices_.size()); }

private:
    struct session_entry {
        std::string token;
        std::string key;
        std::string site_token;
    };
    std::map<std::string, quellmark_device> devices_;
    std::map<int32_t, session_entry> sessions_;
    bool user_taken(const std::string& user) const;
    int32_t next_user_ = 1;
};
