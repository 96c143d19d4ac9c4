#include "markup/model/vux_credential_list.h"
#include "core/vux_decimal.h"

void vux_credential_list::fields(vux_field_visitor& v) { credentials_.visit(v, "credentials"); }

const vux_string& vux_credential_list::device_key(const vux_string& key) {
    device_key_ = key;
    return device_key_;
}

bool vux_credential_list::is_valid_device_key() const { return is_valid_device_key(device_key_); }

bool vux_credential_list::is_valid_device_key(const vux_string& key) {
    if (key.length() != device_key_length) return false;
    if (vux_decimal::is_decimal(key)) return true;
    if (key.byte_at(0) != 'X') return false;
    for (int32_t i = 1; i < key.length(); ++i) {
        uint8_t c = key.byte_at(i);
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

int32_t vux_credential_list::index_of_key() const {
    for (int32_t i = 0; i < count(); ++i)
        if (at(i)->device_key == device_key_) return i;
    return -1;
}

int32_t vux_credential_list::index_of_user(const vux_string& user) const {
    for (int32_t i = 0; i < count(); ++i)
        if (at(i)->user == user) return i;
    return -1;
}

const vux_credential* vux_credential_list::current() const { return at(index_of_key()); }

bool vux_credential_list::get_user(vux_string& out) const {
    const vux_credential* c = current();
    if (!c) return false;
    out = c->user;
    return true;
}

bool vux_credential_list::get_password(vux_string& out) const {
    const vux_credential* c = current();
    if (!c) return false;
    out = c->password;
    return true;
}

template <class Match>
void vux_credential_list::forget_if(Match match) {
    for (int32_t i = count() - 1; i >= 0; --i)
        if (match(*at(i))) credentials_.remove_at(i);
}

void vux_credential_list::forget_current() {
    forget_if([this](const vux_credential& c) { return c.device_key == device_key_; });
}

void vux_credential_list::forget_user(const vux_string& user) {
    forget_if([&user](const vux_credential& c) { return c.user == user; });
}

void vux_credential_list::store(const vux_string& user, const vux_string& password) {
    forget_current();
    forget_user(user);
    vux_credential& c = credentials_.add();
    c.device_key = device_key_;
    c.user = user;
    c.password = password;
}
