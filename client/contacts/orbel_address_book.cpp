#include "client/contacts/orbel_address_book.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "client/common/orbel_resources.h"
#include "core/vux_unicode.h"

orbel_address_book::orbel_address_book(QString path) : path_(path.isEmpty() ? orbel_address_book_path() : path) {}

bool orbel_address_book::read(vux_string_list& lines) const {
    lines.clear();
    QFile file(path_);
    if (!file.exists()) return true;
    if (file.size() > max_file_size || !file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.read(max_file_size + 1);
    if (bytes.size() > max_file_size) return false;
    const vux_link view(bytes.constData(), int32_t(bytes.size()));
    if (!view.is_utf8()) return false;
    lines.split_lines(view);
    return true;
}

bool orbel_address_book::write(const vux_string_list& lines) const {
    if (lines.count() == 0) return !QFile::exists(path_) || QFile::remove(path_);
    QByteArray bytes("\xEF\xBB\xBF");
    for (int32_t i = 0; i < lines.count(); ++i) {
        const vux_string& line = lines.item_at(i);
        bytes.append(line.data(), line.length());
        bytes.append("\r\n");
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

bool orbel_address_book::remove(const vux_string& line) const {
    vux_string_list lines;
    if (!read(lines)) return false;
    lines.remove(line);
    return write(lines);
}

bool orbel_address_book::add(const vux_string& line) const {
    vux_string_list lines;
    if (!read(lines)) return false;
    if (lines.find(line) >= 0) return true;
    lines.append(line);
    return write(lines);
}

bool orbel_address_book_entry(const vux_string& line, bool mobile_only, vux_string& value, QString& name) {
    const int32_t space = line.find_char(' ');
    if (space <= 0 || space == line.length() - 1) return false;
    value = line.left(space);
    if (!value.is_mobile_number() && (mobile_only || !value.is_email_address())) return false;
    const vux_string rest = line.substring(space + 1, line.length());
    vux_unicode units;
    rest.decode_utf8_into(units);
    if (!units.is_valid_name()) return false;
    name = QString::fromUtf16(units.units(), units.length());
    return true;
}
