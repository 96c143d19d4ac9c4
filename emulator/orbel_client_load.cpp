#include "emulator/orbel_client_load.h"

#include <QFile>

#include "core/vux_gif.h"
#include "core/vux_link.h"
#include "core/vux_png.h"
#include "desktop/orbel_text_utils.h"
#include "gui/orbel_encode.h"

QByteArray orbel_client_load_picture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > orbel_max_picture_bytes) return {};
    const QByteArray bytes = file.read(orbel_max_picture_bytes);
    const auto n = int32_t(bytes.size());
    if (n == 0) return {};
    if (!orbel_is_jpeg(vux_link(bytes.constData(), n)) && !vux_png_has_signature(bytes.constData(), n) &&
        !vux_gif_has_signature(bytes.constData(), n))
        return {};
    QByteArray jpeg;
    if (!encode_file_fitted(path, jpeg)) return {};
    return jpeg;
}

orbel_client_load::orbel_client_load(QWidget* owner) : QFileDialog(owner) {
    setWindowTitle(QStringLiteral("上传图片"));
    // One pattern list without semicolons: Qt reads "*.jpg;" as a pattern of its own.
    setNameFilter(QStringLiteral("图片文件(*.jpg *.png *.gif)"));
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ReadOnly);
}
