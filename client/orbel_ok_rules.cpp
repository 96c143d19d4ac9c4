#include "client/orbel_ok_rules.h"

#include "client/orbel_text.h"

bool orbel_ok_rules::create(const QString& name) { return !name.trimmed().isEmpty(); }

bool orbel_ok_rules::acquire(const QString& code) { return !code.isEmpty(); }

bool orbel_ok_rules::rename(const QString& name, const QString& previous) {
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && trimmed != previous;
}

bool orbel_ok_rules::transfer(const QString& receiver, const QString& code, const vux_string& account) {
    if (receiver.isEmpty() || code.isEmpty()) return false;
    vux_string to = orbel_to_utf8(receiver);
    to.to_lower();
    vux_string own = account;
    own.to_lower();
    return !(to == own) && to.is_email_address();
}

bool orbel_ok_rules::password(const QString& password, const QString& repeated) {
    if (password.size() < 7 || password != repeated) return false;
    for (QChar c : password)
        if (c.unicode() >= 0x80 || !c.isLetterOrNumber()) return false;
    return true;
}

orbel_ok_rules::enter orbel_ok_rules::on_enter(bool ok_enabled, bool on_button) {
    if (on_button) return enter::press_button;
    return ok_enabled ? enter::accept : enter::nothing;
}
