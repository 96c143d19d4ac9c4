#pragma once
#include "core/vux_hex.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/orbel_md5.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"

// Signs an administrator in on the service, in-process, as the desktop
// client does (logon, then the digest of the challenge); the session, or a
// default one (id 0) when the service refuses.
inline vux_desktop_session sign_in(quellmark_service& service, const char* name, const char* password) {
    vux_desktop_session session;
    vux_desktop_request_logon l;
    l.user_name = vux_string(name);
    auto challenge = vux_desktop_accept_as<vux_desktop_response_logon>(service.respond_frame(vux_desktop_frame(l)));
    if (!challenge) return session;
    vux_desktop_request_verify v;
    v.user_name = l.user_name;
    v.digest = orbel_md5_hex(vux_string(name) + vux_hex::format(challenge->challenge) + vux_string(password));
    auto verified = vux_desktop_accept_as<vux_desktop_response_verify>(service.respond_frame(vux_desktop_frame(v)));
    if (verified && verified->result == 0) session.copy_from(verified->session);
    return session;
}
