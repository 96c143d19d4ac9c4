#pragma once
#include <QString>

#include "core/vux_string.h"

// When the OK button of the site manager's small dialogs is enabled, as pure
// functions of their fields.
struct orbel_ok_rules {
    // New site: a name that is not blanks only.
    static bool create(const QString& name);
    // Acquire: any code.
    static bool acquire(const QString& code);
    // Rename: a name that is not blanks only and, trimmed, differs from the previous one.
    static bool rename(const QString& name, const QString& previous);
    // Transfer: an e-mail address other than the signed-in account (letter
    // case ignored on both sides) and a code.
    static bool transfer(const QString& receiver, const QString& code, const vux_string& account);
    // Password: at least 7 ASCII letters or digits, repeated exactly.
    static bool password(const QString& password, const QString& repeated);

    // What Enter does in one of these dialogs. In a field it accepts exactly
    // while OK is enabled, and does nothing otherwise (never a cancel); on a
    // button the user moved to, it presses that button.
    enum class enter { accept, nothing, press_button };
    static enter on_enter(bool ok_enabled, bool on_button);
};
