#include "client/content/orbel_content_rules.h"

bool orbel_content_rules::read_number(const QString& text, int32_t& value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) continue;
        if (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')) && t.size() > 1) continue;
        return false;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    if (ok) value = v;
    return ok;
}

bool orbel_content_rules::vote_ok(const QString& content, int options, const QString& max_selections,
                                  const QString& valid_days) {
    int32_t most = 0, days = 0;
    if (content.trimmed().isEmpty() || options < 2) return false;
    if (!read_number(max_selections, most) || most < 1 || most > options) return false;
    return read_number(valid_days, days) && days >= 0;
}

bool orbel_content_rules::option_acceptable(const QStringList& options, const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty()) return false;
    for (const QString& o : options)
        if (o.startsWith(n, Qt::CaseInsensitive)) return false;
    return true;
}
