#include "client/controls/orbel_select_picture.h"

#include <QLabel>
#include <QPushButton>

#include "client/common/orbel_resources.h"
#include "client/controls/orbel_picture_list.h"
#include "core/vux_buffer.h"

namespace {
constexpr int button_strip = 44;
}  // namespace

orbel_select_picture::orbel_select_picture(const kind& k, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(k.dialog_id));
    setWindowTitle(QString::fromUtf16(k.title));
    setFixedSize(k.client.width(), k.client.height() + button_strip);

    // The hidden "大小" label is the cell template.
    auto* size_label = new QLabel(QStringLiteral("大小"), this);
    size_label->setGeometry(QRect(QPoint(k.cells.left, k.cells.top), QPoint(k.cells.right - 1, k.cells.bottom - 1)));
    size_label->hide();
    const QRect r = size_label->geometry();

    vux_buffer pack;
    QByteArray bytes;
    if (orbel_load_dat_resource(k.pack_id, pack))
        bytes = QByteArray(reinterpret_cast<const char*>(pack.data()), pack.length());
    grid_ = new orbel_picture_list(this);
    grid_->setGeometry(0, 0, k.client.width(), k.client.height());
    grid_->set_template({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    grid_->set_pack(bytes);
    connect(grid_, &orbel_grid::chosen, this, [this](int index) {
        result_ = grid_->image_bytes(index);
        accept();
    });

    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(k.client.width() - 90, k.client.height() + 8, 80, 28);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
