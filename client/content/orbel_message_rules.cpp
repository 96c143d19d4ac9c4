#include "client/content/orbel_message_rules.h"

#include <QDateTime>

#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/records/vux_desktop_contact.h"
#include "desktop/records/vux_desktop_message_list.h"
#include "desktop/records/vux_desktop_recent_list.h"

void orbel_message_rules::box_poll(const vux_string& site_key, const vux_desktop_recent_list& held,
                                   const vux_desktop_session& session, vux_desktop_request_message& out) {
    out.operation = box_operation;
    out.limit = box_limit;
    out.site_key = site_key;
    out.member_key = vux_string();
    out.text = vux_string();
    out.marker.clear();
    if (const int32_t n = held.entries.get_count(); n > 0) {
        out.marker.append(held.entries.at(n - 1)->time);
        out.marker.append(held.entries.at(n - 1)->serial);
    }
    out.has_marker = out.marker.count() > 0 ? 1 : 0;
    out.session.copy_from(session);
}

void orbel_message_rules::chat_request(int32_t operation, const vux_string& site_key, const vux_string& member_key,
                                       const vux_desktop_message_list& held, const vux_string& text,
                                       const vux_desktop_session& session, vux_desktop_request_message& out) {
    out.operation = operation;
    out.limit = chat_limit;
    out.site_key = site_key;
    out.member_key = member_key;
    out.text = text;
    out.marker.clear();
    if (const int32_t n = held.messages.get_count(); n > 0) out.marker.append(held.messages.at(n - 1)->serial);
    out.has_marker = out.marker.count() > 0 ? 1 : 0;
    out.session.copy_from(session);
}

bool orbel_message_rules::can_send(bool busy, const QString& text) {
    return !busy && !text.isEmpty() && text.size() <= max_text;
}

QString orbel_message_rules::time_text(int32_t time, bool blank) {
    const QDateTime t = QDateTime::fromSecsSinceEpoch(time).toLocalTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return QStringLiteral("%1年%2月%3日%4%5:%6")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(blank ? QStringLiteral(" ") : QString())
        .arg(h.hour(), 2, 10, QLatin1Char('0'))
        .arg(h.minute(), 2, 10, QLatin1Char('0'));
}

orbel_message_rules::sender_style orbel_message_rules::sender(const vux_string& sender, const vux_string& site_key,
                                                              const vux_string& member_key, const QString& site_name,
                                                              const QString& member_name) {
    sender_style style;
    QString name;  // a third party's line names no one, but still ends the time's paragraph
    if (vux_string_equal(sender, site_key)) {
        name = site_name;
        style.name_color = style.text_color = site_color;
    } else if (vux_string_equal(sender, member_key)) {
        name = member_name;
        style.name_color = member_name_color;
        style.text_color = member_text_color;
    }
    style.line = QStringLiteral("【%1】\n").arg(name);
    return style;
}

orbel_message_rules::merge_result orbel_message_rules::merge(vux_desktop_recent_list& held,
                                                             const vux_desktop_recent_list& reply,
                                                             const vux_desktop_contact& members) {
    merge_result result;
    if (held.entries.get_count() > 0)
        reply.merge_into(held, result.replaced);
    else
        held.assign(reply);
    for (int32_t i = 0; i < reply.entries.get_count(); ++i)
        if (members.find_key(reply.entries.at(i)->key) >= 0) result.shown.push_back(i);
    return result;
}
