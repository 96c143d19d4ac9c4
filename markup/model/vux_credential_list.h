#pragma once
#include <cstdint>
#include "core/vux_record.h"
#include "core/vux_string.h"
#include "markup/model/vux_credential.h"

// The credentials of every handset this runtime has registered, and the key
// of the current one (supplied by the host, never stored).
class vux_credential_list : public vux_record {
public:
    static constexpr int32_t device_key_length = 15;

    const char* class_name() const override { return "vux_credential_list"; }
    void fields(vux_field_visitor& v) override;

    const vux_string& device_key() const { return device_key_; }
    const vux_string& device_key(const vux_string& key);
    // Fifteen characters: a decimal number, or "X" and 14 upper-case hex digits.
    bool is_valid_device_key() const;
    static bool is_valid_device_key(const vux_string& key);

    int32_t index_of_key() const;
    bool has_credential() const { return index_of_key() != -1; }
    int32_t index_of_user(const vux_string& user) const;
    // False (out unchanged) when the current key has no credential.
    bool get_user(vux_string& out) const;
    bool get_password(vux_string& out) const;

    // Each forget removes every credential that matches, so a store that
    // somehow holds duplicates cannot leave one behind for logon to send.
    void forget_current();
    void forget_user(const vux_string& user);
    // Afterwards exactly one credential holds this key and this user.
    void store(const vux_string& user, const vux_string& password);

    int32_t count() const { return credentials_.get_count(); }
    vux_credential* at(int32_t i) const { return credentials_.at(i); }
    void clear() { credentials_.delete_all(); }

private:
    const vux_credential* current() const;
    template <class Match>
    void forget_if(Match match);

    vux_string device_key_;
    vux_record_list<vux_credential> credentials_;
};
