#include "client/controls/orbel_custom_picture.h"

#include <QFile>

#include "client/common/orbel_resources.h"
#include "core/vux_link.h"
#include "gui/orbel_encode.h"
#include "gui/orbel_ui.h"

QString orbel_picture_filter(const QString& kind) { return kind + QStringLiteral("(*.jpg *.png)"); }

bool orbel_custom_picture(QWidget* parent, const orbel_picture_texts& texts, QSize box, QByteArray& picture) {
    orbel_ui& ui = orbel_get_ui();
    const QString path = ui.open_file_name(parent, texts.filter, texts.title);
    if (path.isEmpty()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file.size();
    if (size > orbel_max_picture_bytes) {
        ui.message(parent, texts.unsupported);
        return false;
    }
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size) return false;
    if (bytes.isEmpty()) {
        ui.message(parent, texts.empty);
        return false;
    }
    QByteArray encoded;
    if (!orbel_is_image_data(vux_link(bytes.constData(), int32_t(bytes.size()))) ||
        !encode_bytes_boxed(bytes, box.width(), box.height(), encoded)) {
        ui.message(parent, texts.unsupported);
        return false;
    }
    picture = std::move(encoded);
    return true;
}
