#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/vux_string.h"
#include "desktop/messages/vux_desktop_request_verify.h"
#include "gui/orbel_settings.h"

class vux_desktop_response_logon;
class vux_desktop_response_verify;

// What the logon dialog does with a reply: decided from the request state
// and the decoded reply alone, then applied by the dialog. A reply that could
// not be decoded is passed as null.
struct orbel_logon_outcome {
    // What the dialog knew when it sent the request.
    struct request {
        vux_string user;      // as sent: UTF-8, lower-cased
        vux_string password;  // as typed, UTF-8
        QString typed_password;
        bool remember = false;  // "记住密码" checked
        bool no_tips = false;   // "不显示提示信息" checked
        int32_t hints_off = 0;  // the run's choice before this logon
    };
    enum class field { none, user, password };
    struct profile_write {
        const orbel_setting_key* key;
        QString text;   // for text keys
        int value = 0;  // for integer keys
        bool is_text = true;
        bool operator==(const profile_write&) const = default;
    };

    // The verify request to send next.
    std::optional<vux_desktop_request_verify> next;
    // Written to the profile, in this order.
    std::vector<profile_write> writes;
    // The string shown; 0 for none.
    int message = 0;
    // A refusal returns to the form with this field focused and selected.
    field focus = field::none;
    // Ends the dialog with cancel (and so the program).
    bool fatal = false;
    // Ends the dialog with OK: the service address and session of the verify
    // reply are taken into the run.
    bool signed_in = false;
    // The run's new tips choice, when it changed.
    std::optional<int32_t> hints_off;

    static orbel_logon_outcome on_logon_reply(const request& state, const vux_desktop_response_logon* reply);
    static orbel_logon_outcome on_verify_reply(const request& state, const vux_desktop_response_verify* reply);
    // A transport failure.
    static orbel_logon_outcome on_failure();

    // MD5 hex of the user name, the challenge as 8 lower-case hex digits and
    // the password, joined without separators.
    static vux_string verify_digest(const vux_string& user, int32_t challenge, const vux_string& password);
};
