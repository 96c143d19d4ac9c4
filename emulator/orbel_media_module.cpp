#include "emulator/orbel_media_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QtGlobal>

QString orbel_media_file_name() {
#ifdef Q_OS_WIN
    return QStringLiteral("orbel_media.dll");
#else
    return QStringLiteral("orbel_media.so");
#endif
}

orbel_media_factory* orbel_media_load(const QString& folder, QString& error) {
    const QString path = QDir(folder).filePath(orbel_media_file_name());
    if (!QFileInfo::exists(path)) {
        error = QStringLiteral("%1 is missing").arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    // Never unloaded: what it made may live until the program ends.
    QLibrary library(path);
    if (!library.load()) {
        error = library.errorString();
        return nullptr;
    }
    const auto entry = reinterpret_cast<orbel_media_entry>(library.resolve(ORBEL_MEDIA_ENTRY));
    orbel_media_factory* factory = entry ? entry() : nullptr;
    if (!factory) {
        error = QStringLiteral("%1 is not the media module of this program").arg(QDir::toNativeSeparators(path));
        return nullptr;
    }
    error.clear();
    return factory;
}

namespace {

struct loaded_media {
    orbel_media_factory* factory = nullptr;
    QString error;
};

const loaded_media& program_media() {
    static const loaded_media media = [] {
        loaded_media m;
        m.factory = orbel_media_load(QCoreApplication::applicationDirPath(), m.error);
        if (!m.factory)
            qWarning("No camera, microphone or speaker: the media module is not loaded (%s)", qPrintable(m.error));
        return m;
    }();
    return media;
}

}  // namespace

orbel_media_factory* orbel_media() { return program_media().factory; }

QString orbel_media_error() { return program_media().error; }
