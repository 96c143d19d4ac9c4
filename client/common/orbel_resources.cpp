#include "client/common/orbel_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstring>

#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "desktop/orbel_text_utils.h"

static void orbel_init_client_resources() { Q_INIT_RESOURCE(orbel_art); }

namespace {

QString program_folder_cache;

// Resources are compiled into the client library; a static library needs
// its resources registered once before the first lookup.
QByteArray read_resource(const char* kind, int id) {
    static const bool registered = (orbel_init_client_resources(), true);
    (void)registered;
    QFile file(QStringLiteral(":/%1/%2.%3").arg(QLatin1String(kind)).arg(id).arg(QLatin1String(kind)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString with_trailing_separator(QString dir) {
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

}  // namespace

QString orbel_get_module_dir() {
    if (program_folder_cache.isEmpty())
        program_folder_cache = with_trailing_separator(QCoreApplication::applicationDirPath());
    return program_folder_cache;
}

QString orbel_address_book_path() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    while (dir.endsWith(QLatin1Char('/')) && dir.size() > 1) dir.chop(1);
    return dir + QLatin1String("/vux_ab.txt");
}

bool orbel_is_image_data(const vux_link& bytes) {
    static const uint8_t png_signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const int32_t n = bytes.length();
    const uint8_t* p = bytes.data();
    if (n >= 8 && std::memcmp(p, png_signature, 8) == 0) return true;
    if (n >= 12 && orbel_is_jpeg(bytes)) return true;
    if (n > 5) {
        auto is = [](uint8_t c, char upper) { return c == uint8_t(upper) || c == uint8_t(upper + ('a' - 'A')); };
        if (is(p[0], 'G') && is(p[1], 'I') && is(p[2], 'F') && p[3] == '8' && p[4] == '9' && is(p[5], 'A')) return true;
    }
    return false;
}

std::unique_ptr<orbel_image> orbel_load_png_resource(int id) {
    return orbel_image_from_memory(read_resource("png", id));
}

const uint8_t* orbel_load_dat_resource(int id, vux_buffer& buffer) {
    const QByteArray bytes = read_resource("dat", id);
    if (bytes.isEmpty()) return nullptr;
    buffer.assign_bytes(bytes.constData(), int32_t(bytes.size()));
    return buffer.data();
}
