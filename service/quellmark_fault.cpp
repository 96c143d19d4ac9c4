#include "service/quellmark_fault.h"
#include <QStringList>

int64_t quellmark_fault::value_or_default(int32_t response_code) const {
    if (value) return *value;
    switch (kind) {
    case status: return 1;
    case wrong_code: return int64_t(response_code) + 2;
    case truncated: return 5;
    case early_close: return 0;
    case delay: return 1000;
    case http_status: return 500;
    }
    return 0;
}

namespace {
bool parse_number(const QString& text, int64_t& out) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok, 10);
    if (ok) out = v;
    return ok;
}
}  // namespace

bool quellmark_parse_fault(const QString& text, quellmark_fault& out) {
    static const struct {
        const char* name;
        quellmark_fault::kind_t kind;
    } kinds[] = {
        {"status", quellmark_fault::status},       {"wrong_code", quellmark_fault::wrong_code},
        {"truncated", quellmark_fault::truncated}, {"early_close", quellmark_fault::early_close},
        {"delay", quellmark_fault::delay},         {"http_status", quellmark_fault::http_status},
    };
    quellmark_fault f;
    QString rest = text.trimmed();
    int64_t n = 0;
    if (const qsizetype star = rest.lastIndexOf(QLatin1Char('*')); star >= 0) {
        if (!parse_number(rest.mid(star + 1), n) || n < 1 || n > INT32_MAX) return false;
        f.times = int32_t(n);
        rest.truncate(star);
    }
    if (const qsizetype at = rest.lastIndexOf(QLatin1Char('@')); at >= 0) {
        if (!parse_number(rest.mid(at + 1), n) || n < 0 || n > INT32_MAX) return false;
        f.code = int32_t(n);
        rest.truncate(at);
    }
    if (const qsizetype colon = rest.indexOf(QLatin1Char(':')); colon >= 0) {
        if (!parse_number(rest.mid(colon + 1), n)) return false;
        f.value = n;
        rest.truncate(colon);
    }
    for (const auto& k : kinds) {
        if (rest == QLatin1String(k.name)) {
            f.kind = k.kind;
            out = f;
            return true;
        }
    }
    return false;
}
