#pragma once
#include <QString>
#include <cstdint>
#include <vector>

#include "core/vux_string.h"
#include "core/vux_string_list.h"

class vux_desktop_contact;
class vux_desktop_message_list;
class vux_desktop_recent_list;
class vux_desktop_request_message;
class vux_desktop_session;

// The private-message box's and chat's rules, without windows.
struct orbel_message_rules {
    static constexpr int32_t box_operation = 1, chat_poll_operation = 2, chat_send_operation = 3;
    static constexpr int32_t box_limit = 256, chat_limit = 64;
    static constexpr int max_text = 199;  // characters a message may have
    // Colours (0x00BBGGRR) of the transcript.
    static constexpr int time_color = 0x202020;
    static constexpr int site_color = 0x000080;
    static constexpr int member_name_color = 0x646400;
    static constexpr int member_text_color = 0x006400;
    static constexpr int text_indent = 150;  // twips

    // The box's poll: the marker is the time and serial of the last entry held.
    static void box_poll(const vux_string& site_key, const vux_desktop_recent_list& held,
                         const vux_desktop_session& session, vux_desktop_request_message& out);
    // A chat's poll (text empty) or send: the marker is the serial of the
    // last message held.
    static void chat_request(int32_t operation, const vux_string& site_key, const vux_string& member_key,
                             const vux_desktop_message_list& held, const vux_string& text,
                             const vux_desktop_session& session, vux_desktop_request_message& out);
    // Sending is allowed while nothing is out and the text has 1 to 199 characters.
    static bool can_send(bool busy, const QString& text);

    // "%d年%d月%d日 %02d:%02d" in local time; without the blank for a chat.
    static QString time_text(int32_t time, bool blank);

    // How a message's sender shows: its name line and colours (-1: the
    // current colour stays).
    struct sender_style {
        QString line;  // "【name】\n", with no name for a sender who is neither side
        int name_color = -1;
        int text_color = -1;
    };
    static sender_style sender(const vux_string& sender, const vux_string& site_key, const vux_string& member_key,
                               const QString& site_name, const QString& member_name);

    // A box reply taken into the entries held: the keys whose rows go, and
    // the reply's entries that get a row (those of known members), in order.
    struct merge_result {
        vux_string_list replaced;
        std::vector<int32_t> shown;
    };
    static merge_result merge(vux_desktop_recent_list& held, const vux_desktop_recent_list& reply,
                              const vux_desktop_contact& members);
    // The icon of a recent row: the service's index when it names one of the
    // two icons, else 0.
    static int recent_icon(int32_t image) { return image == 1 ? 1 : 0; }
};
