#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/messages/vux_desktop_messages.h"

namespace {
constexpr vux_message_entry rows[] = {
    vux_message_row<vux_desktop_request_upgrade>(vux_type_desktop_request_upgrade, "vux_desktop_request_upgrade"),
    vux_message_row<vux_desktop_response_upgrade>(vux_type_desktop_response_upgrade, "vux_desktop_response_upgrade",
                                                  vux_type_desktop_request_upgrade),
    vux_message_row<vux_desktop_request_download>(vux_type_desktop_request_download, "vux_desktop_request_download"),
    vux_message_row<vux_desktop_response_download>(vux_type_desktop_response_download, "vux_desktop_response_download",
                                                   vux_type_desktop_request_download),
    vux_message_row<vux_desktop_request_logon>(vux_type_desktop_request_logon, "vux_desktop_request_logon"),
    vux_message_row<vux_desktop_response_logon>(vux_type_desktop_response_logon, "vux_desktop_response_logon",
                                                vux_type_desktop_request_logon),
    vux_message_row<vux_desktop_request_verify>(vux_type_desktop_request_verify, "vux_desktop_request_verify"),
    vux_message_row<vux_desktop_response_verify>(vux_type_desktop_response_verify, "vux_desktop_response_verify",
                                                 vux_type_desktop_request_verify),
    vux_message_row<vux_desktop_request_group>(vux_type_desktop_request_group, "vux_desktop_request_group"),
    vux_message_row<vux_desktop_response_group>(vux_type_desktop_response_group, "vux_desktop_response_group",
                                                vux_type_desktop_request_group),
    vux_message_row<vux_desktop_request_site>(vux_type_desktop_request_site, "vux_desktop_request_site"),
    vux_message_row<vux_desktop_response_site>(vux_type_desktop_response_site, "vux_desktop_response_site",
                                               vux_type_desktop_request_site),
    vux_message_row<vux_desktop_request_message>(vux_type_desktop_request_message, "vux_desktop_request_message"),
    vux_message_row<vux_desktop_response_message>(vux_type_desktop_response_message, "vux_desktop_response_message",
                                                  vux_type_desktop_request_message),
    vux_message_row<vux_desktop_request_sms>(vux_type_desktop_request_sms, "vux_desktop_request_sms"),
    vux_message_row<vux_desktop_response_sms>(vux_type_desktop_response_sms, "vux_desktop_response_sms",
                                              vux_type_desktop_request_sms),
    vux_message_row<vux_desktop_request_password>(vux_type_desktop_request_password, "vux_desktop_request_password"),
    vux_message_row<vux_desktop_response_password>(vux_type_desktop_response_password, "vux_desktop_response_password",
                                                   vux_type_desktop_request_password),
    vux_message_row<vux_desktop_request_profile>(vux_type_desktop_request_profile, "vux_desktop_request_profile"),
    vux_message_row<vux_desktop_response_profile>(vux_type_desktop_response_profile, "vux_desktop_response_profile",
                                                  vux_type_desktop_request_profile),
    vux_message_row<vux_desktop_request_data>(vux_type_desktop_request_data, "vux_desktop_request_data"),
    vux_message_row<vux_desktop_response_data>(vux_type_desktop_response_data, "vux_desktop_response_data",
                                               vux_type_desktop_request_data),
};
}  // namespace

vux_message_table vux_desktop_message_table() { return rows; }
