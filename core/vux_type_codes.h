#pragma once
#include <cstdint>

// The type code names a class on the wire: it precedes a message body in a
// frame, each item of a polymorphic list and each record of a markup document.
// 0 marks a plain record, which carries no code. Requests have even codes and
// their responses the odd code after them.
enum vux_type_code : int32_t {
    vux_type_plain = 0,

    // markup model records
    vux_type_brush = 1000,
    vux_type_condition = 1001,
    vux_type_condition_list = 1002,
    vux_type_data = 1003,
    vux_type_dialog = 1004,
    vux_type_extent = 1005,
    vux_type_function = 1006,
    vux_type_hyperlink = 1007,
    vux_type_icon = 1008,
    vux_type_menu = 1009,
    vux_type_odds = 1010,
    vux_type_option = 1011,
    vux_type_switch = 1012,
    vux_type_overtime = 1013,
    vux_type_resource = 1014,
    vux_type_subtitle = 1015,
    vux_type_window = 1016,

    // markup elements
    vux_type_element_box = 1100,
    vux_type_element_client = 1101,
    vux_type_element_command = 1102,
    vux_type_element_commandbar = 1103,
    vux_type_element_image = 1104,
    vux_type_element_paragraph = 1105,
    vux_type_element_scrollbar = 1106,
    vux_type_element_segment = 1107,
    vux_type_element_text = 1108,
    vux_type_element_titlebar = 1109,

    // actions and their steps (alphabetical by step name)
    vux_type_action = 1200,
    vux_type_action_animation = 1201,
    vux_type_action_clear = 1202,
    vux_type_action_command = 1203,
    vux_type_action_element = 1204,
    vux_type_action_environment = 1205,
    vux_type_action_error = 1206,
    vux_type_action_font = 1207,
    vux_type_action_go = 1208,
    vux_type_action_input = 1209,
    vux_type_action_invoke = 1210,
    vux_type_action_launch = 1211,
    vux_type_action_menu = 1212,
    vux_type_action_motion = 1213,
    vux_type_action_music = 1214,
    vux_type_action_odds = 1215,
    vux_type_action_paragraph = 1216,
    vux_type_action_pick = 1217,
    vux_type_action_property = 1218,
    vux_type_action_scroll = 1219,
    vux_type_action_show = 1220,
    vux_type_action_sms = 1221,
    vux_type_action_softkey = 1222,
    vux_type_action_title = 1223,
    vux_type_action_upload = 1224,

    // runtime messages
    vux_type_request_enter = 1300,
    vux_type_response_enter = 1301,
    vux_type_request_go = 1302,
    vux_type_response_go = 1303,
    vux_type_request_logon = 1304,
    vux_type_response_logon = 1305,
    vux_type_request_poll = 1306,
    vux_type_response_poll = 1307,
    vux_type_request_register = 1308,
    vux_type_response_register = 1309,

    // launcher messages
    vux_type_desktop_request_upgrade = 3902,
    vux_type_desktop_response_upgrade = 3903,
    vux_type_desktop_request_download = 3904,
    vux_type_desktop_response_download = 3905,

    // desktop messages
    vux_type_desktop_request_logon = 3906,
    vux_type_desktop_response_logon = 3907,
    vux_type_desktop_request_verify = 3908,
    vux_type_desktop_response_verify = 3909,
    vux_type_desktop_request_group = 3910,
    vux_type_desktop_response_group = 3911,
    vux_type_desktop_request_site = 3912,
    vux_type_desktop_response_site = 3913,
    vux_type_desktop_request_message = 3914,
    vux_type_desktop_response_message = 3915,
    vux_type_desktop_request_sms = 3916,
    vux_type_desktop_response_sms = 3917,
    vux_type_desktop_request_password = 3918,
    vux_type_desktop_response_password = 3919,
    vux_type_desktop_request_profile = 3920,
    vux_type_desktop_response_profile = 3921,
    vux_type_desktop_request_data = 3922,
    vux_type_desktop_response_data = 3923,
};
