#pragma once

// The names through which the runtime and its documents talk: variables the
// runtime sets for the markup to show or test ("__status_*", "__key_*"),
// variables the markup sets for the runtime to read, the dialogs the runtime
// shows with a text, and the functions it calls by name.
namespace vux_names {

// ---- state the runtime reports while it lasts
inline constexpr char status_main[] = "__status_main";
inline constexpr char status_poll[] = "__status_poll";
inline constexpr char status_overtime[] = "__status_overtime";
inline constexpr char status_input[] = "__status_input";
inline constexpr char status_load[] = "__status_load";
inline constexpr char status_music[] = "__status_music";
inline constexpr char status_animation[] = "__status_animation";
inline constexpr char status_motion[] = "__status_motion";

// ---- values the runtime publishes
inline constexpr char key_flow[] = "__key_flow";
inline constexpr char key_time_count[] = "__key_time_count";
inline constexpr char key_time_minute_second[] = "__key_time_minute_second";
inline constexpr char key_overtime[] = "__key_overtime";
inline constexpr char key_poll[] = "__key_poll";
inline constexpr char key_logout[] = "__key_logout";
inline constexpr char key_failure[] = "__key_failure";
inline constexpr char key_connected[] = "__key_connected";
inline constexpr char key_network_timeout[] = "__key_network_timeout";
inline constexpr char key_network_retry[] = "__key_network_retry";
inline constexpr char key_imsi[] = "__key_imsi";
inline constexpr char key_registered[] = "__key_registered";
inline constexpr char key_gps[] = "__key_gps";
inline constexpr char key_cid[] = "__key_cid";
inline constexpr char key_mac[] = "__key_mac";
inline constexpr char key_chat_file_id[] = "__key_chat_file_id";

// ---- settings and texts the markup gives the runtime
inline constexpr char key_final[] = "__key_final";
inline constexpr char key_ip[] = "__key_ip";
inline constexpr char key_port[] = "__key_port";
inline constexpr char key_imsi_register[] = "__key_imsi_register";
inline constexpr char key_country[] = "__key_country";
inline constexpr char key_channel[] = "__key_channel";
inline constexpr char key_token[] = "__key_token";
inline constexpr char key_beep[] = "__key_beep";
inline constexpr char key_input_maximum[] = "__key_input_maximum";
inline constexpr char key_menu_title[] = "__key_menu_title";
inline constexpr char key_touch_screen[] = "__key_touch_screen";
inline constexpr char key_emoticon[] = "__key_emoticon";
inline constexpr char key_ellipsis[] = "__key_ellipsis";
inline constexpr char key_status_logon[] = "__key_status_logon";
inline constexpr char key_status_register[] = "__key_status_register";
inline constexpr char key_status_enter[] = "__key_status_enter";
inline constexpr char key_status_default[] = "__key_status_default";
inline constexpr char key_error_establish[] = "__key_error_establish";
inline constexpr char key_error_main[] = "__key_error_main";
inline constexpr char key_error_poll[] = "__key_error_poll";
inline constexpr char key_error_response[] = "__key_error_response";

// ---- dialogs shown with a text
inline constexpr char dialog_status[] = "__dialog_status";
inline constexpr char dialog_error[] = "__dialog_error";
inline constexpr char dialog_fatal[] = "__dialog_fatal";
inline constexpr char dialog_establish[] = "__dialog_establish";

// ---- functions called by name
inline constexpr char function_on_gps[] = "__function_on_gps";
inline constexpr char function_on_cid[] = "__function_on_cid";
inline constexpr char function_on_mac[] = "__function_on_mac";

}  // namespace vux_names
