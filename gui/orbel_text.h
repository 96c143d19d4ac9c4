#pragma once
#include <QString>

#include "core/vux_string.h"

// The two conversions between the windows' UTF-16 text and the protocol's
// UTF-8 strings, and URL-encoding of window text.
void orbel_cstring_to_vux_string(const QString& text, vux_string& out);
void orbel_vux_string_to_cstring(const vux_string& text, QString& out);
// The text as UTF-8, percent-encoded.
void orbel_url_encode_cstring(const QString& text, QString& out);

inline vux_string orbel_to_utf8(const QString& text) {
    vux_string out;
    orbel_cstring_to_vux_string(text, out);
    return out;
}
inline QString orbel_to_qstring(const vux_string& text) {
    QString out;
    orbel_vux_string_to_cstring(text, out);
    return out;
}

// Line ends: the service, the engine and the number grammar keep CR LF; Qt's
// edits give and take LF.
inline QString orbel_lf_lines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}
inline QString orbel_crlf_lines(const QString& text) {
    return orbel_lf_lines(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
