#pragma once
#include <QString>
#include <optional>

#include "desktop/messages/vux_desktop_request_password.h"

class vux_desktop_response_group;
class vux_desktop_response_password;
class vux_desktop_response_profile;
class vux_desktop_response_sms;

// What the site manager does with a reply of its own requests, decided from
// the decoded reply alone (null when it was refused by the acceptance rule),
// then applied by the dialog.
struct orbel_group_outcome {
    // The text shown; empty for none.
    QString message;
    // Ends the program after the message.
    bool fatal = false;
    // The service refused the operation: the message, nothing applied.
    bool refused = false;
    // 3921: send the list request next.
    bool send_list = false;
    // 3911: the reply's document replaces the run's, the cache fetches what
    // it lacks and the list is refilled.
    bool take_document = false;
    // 3919: the remembered password to store instead of the old one.
    std::optional<QString> remembered_password;

    static orbel_group_outcome on_profile_reply(const vux_desktop_response_profile* reply);
    static orbel_group_outcome on_group_reply(const vux_desktop_response_group* reply);
    static orbel_group_outcome on_sms_reply(const vux_desktop_response_sms* reply);
    // `remembered` is the password the logon keeps (empty when none),
    // `chosen` the new one.
    static orbel_group_outcome on_password_reply(const vux_desktop_response_password* reply, const QString& remembered,
                                                 const QString& chosen);
    static orbel_group_outcome on_failure();

    // The password change request: the new password in the TEA text form
    // under the session id as 8 lower-case hex digits.
    static vux_desktop_request_password password_request(const QString& chosen, const vux_desktop_session& session);
};
