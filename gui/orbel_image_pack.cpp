#include "gui/orbel_image_pack.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

#include "core/vux_buffer.h"

namespace {

// Packs are embedded in the program; anything near this is a mistake.
constexpr qint64 max_pack_bytes = qint64(256) << 20;

void set_error(QString* error, const QString& text) {
    if (error) *error = text;
}

}  // namespace

QStringList orbel_image_pack_files(const QString& folder) {
    QStringList all = QDir(folder).entryList(QDir::Files);
    // Code-unit order: the same on every machine and in every locale.
    std::sort(all.begin(), all.end(), [](const QString& a, const QString& b) { return a.compare(b) < 0; });
    // Name patterns on Windows ignore case; so do these.
    auto with_suffix = [&](QLatin1String suffix) {
        QStringList found;
        for (const QString& name : all)
            if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive)) found << name;
        return found;
    };
    return with_suffix(QLatin1String(".png")) + with_suffix(QLatin1String(".jpg"));
}

bool orbel_build_image_pack(const QString& folder, const QStringList& names, vux_buffer& out, QString* error) {
    const QDir dir(folder);
    QList<QByteArray> files;
    qint64 total = 4;
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            set_error(error, QStringLiteral("无法打开文件“%1”。").arg(file.fileName()));
            return false;
        }
        const qint64 size = file.size();
        if (size < 0 || size > max_pack_bytes || total + 4 + size > max_pack_bytes) {
            set_error(error, QStringLiteral("文件“%1”太大。").arg(file.fileName()));
            return false;
        }
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError || bytes.size() != size) {
            set_error(error, QStringLiteral("读取文件“%1”时出错。").arg(file.fileName()));
            return false;
        }
        total += 4 + size;
        files << std::move(bytes);
    }
    out.clear();
    if (!out.reserve(int32_t(total))) {
        set_error(error, QStringLiteral("内存不足。"));
        return false;
    }
    out.append_be32(int32_t(files.size()));
    for (const QByteArray& bytes : files) out.append_be32(int32_t(bytes.size()));
    for (const QByteArray& bytes : files) out.append_bytes(bytes.constData(), int32_t(bytes.size()));
    return true;
}

bool orbel_write_image_pack(const QString& folder, const QString& target, QString* error) {
    vux_buffer pack;
    if (!orbel_build_image_pack(folder, orbel_image_pack_files(folder), pack, error)) return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(pack.data()), pack.length()) != pack.length() || !file.commit()) {
        set_error(error, QStringLiteral("无法写入文件“%1”。").arg(target));
        return false;
    }
    return true;
}
