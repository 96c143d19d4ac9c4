#include "client/contacts/orbel_number_list.h"

#include "desktop/orbel_md5.h"

namespace orbel_number_list {
namespace {
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_hex(char16_t c) { return is_digit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

std::u16string_view view_of(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

vux_string ascii(std::u16string_view s) {
    vux_string out;
    for (char16_t c : s) out.append(char(c));
    return out;
}
}  // namespace

int walk_numbers(std::u16string_view text, const std::function<bool(std::u16string_view)>& on_number) {
    if (text.size() <= 10) return bad_length;
    size_t p = 0, start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (p == 0) {
            if (c != u'1') return bad_first;
            start = i;
        } else if (p <= 10) {
            if (!is_digit(c)) return bad_digit;
            if (p == 10 && !on_number(text.substr(start, 11))) return refused;
        } else if (p == 11) {
            if (c == u' ') return trailing_space;
            if (c != u'\r') return bad_line_end;
        } else if (c != u'\n') {
            return bad_line_end;
        }
        p = p == 12 ? 0 : p + 1;
    }
    return p == 0 || p == 11 ? accepted : bad_end;
}

int walk_digests(std::u16string_view text, vux_buffer& out) {
    if (text.size() < 32) return bad_length;
    size_t p = 0;
    for (char16_t c : text) {
        if (p < 32) {
            // A line that ends early is a line-end fault, not a bad digit.
            if (c == u'\r' || c == u'\n') return bad_line_end;
            if (!is_hex(c)) return refused;
            out.append_byte(uint8_t(c >= u'A' && c <= u'F' ? c - u'A' + u'a' : c));
        } else if (p == 32) {
            if (c == u' ') return trailing_space;
            if (c != u'\r') return bad_line_end;
        } else if (c != u'\n') {
            return bad_line_end;
        }
        p = p == 33 ? 0 : p + 1;
    }
    return p == 0 || p == 32 ? accepted : bad_end;
}

QString message(int result, bool share) {
    switch (result) {
    case bad_length: return QStringLiteral("数据长度有错误!");
    case bad_first: return QStringLiteral("电话号码第一位有误!");
    case trailing_space: return QStringLiteral("行结尾存在多余的空格!");
    case bad_line_end: return QStringLiteral("数据换行有错误!");
    case bad_digit: return QStringLiteral("电话号码格式不对!");
    case refused: return share ? QStringLiteral("加密数据格式不对!") : QStringLiteral("每次发送个数不能超过100个!");
    case bad_end: return QStringLiteral("数据结尾有错误!");
    default: return QString();
    }
}

sms_outcome sms_rule(const QString& verification, const QString& numbers_text) {
    sms_outcome out;
    const QString text = verification.trimmed();
    if (text.isEmpty()) {
        out.message = QStringLiteral("验证信息不能为空！");
        return out;
    }
    if (text.size() > sms_max_text) {
        out.message = QStringLiteral("验证信息不能超过15个字符！");
        return out;
    }
    if (numbers_text.isEmpty()) return out;
    const int r = walk_numbers(view_of(numbers_text), [&](std::u16string_view number) {
        out.numbers.append_unique(ascii(number));
        return out.numbers.count() <= sms_max_numbers;
    });
    if (r != accepted) {
        out.numbers.clear();
        out.message = message(r, false);
        return out;
    }
    out.close = true;
    return out;
}

share_outcome share_rule(const QString& numbers_text) {
    share_outcome out;
    const QString text = numbers_text.toUpper();
    if (text.isEmpty()) return out;
    const bool numbers = text.startsWith(QLatin1Char('1')) && (text.size() < 32 || text.at(11) == QLatin1Char('\r'));
    int r;
    if (numbers) {
        r = walk_numbers(view_of(text), [&](std::u16string_view number) {
            vux_string digest;
            orbel_md5_hex_of_string(ascii(number), digest);
            out.digests.append_bytes(digest.data(), digest.length());
            return true;
        });
    } else {
        r = walk_digests(view_of(text), out.digests);
    }
    if (r != accepted) {
        out.digests.clear();
        out.message = message(r, true);
        return out;
    }
    out.close = true;
    return out;
}

}  // namespace orbel_number_list
