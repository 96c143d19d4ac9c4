#include "emulator/orbel_client_camera.h"

#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include "emulator/orbel_dialog_buttons.h"

orbel_client_camera::orbel_client_camera(std::unique_ptr<vux_le_camera> camera, const QString& capture_path,
                                         QWidget* parent)
    : QDialog(parent), camera_(std::move(camera)), capture_path_(capture_path) {
    setObjectName("148");
    setWindowTitle(QStringLiteral("拍照"));
    auto* view = new QFrame(this);
    view->setObjectName("1080");
    view->setFixedSize(242, 184);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 0, Qt::AlignHCenter);
    layout->addLayout(orbel_dialog_buttons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok_ = findChild<QPushButton*>("1");
    cancel_ = findChild<QPushButton*>("2");
    camera_->preview(view);
}

orbel_client_camera::~orbel_client_camera() {
    grabbing_ = false;
    camera_->close();
}

void orbel_client_camera::accept() {
    if (grabbing_) return;
    grabbing_ = true;
    QFile::remove(capture_path_);
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
    camera_->grab([this](QImage frame) { grabbed(frame); });
}

void orbel_client_camera::grabbed(const QImage& frame) {
    if (!grabbing_) return;  // the dialog was left another way meanwhile
    grabbing_ = false;
    if (!frame.isNull()) frame.save(capture_path_, "BMP");
    camera_->close();
    ok_->setEnabled(true);
    cancel_->setEnabled(true);
    QDialog::accept();
}

void orbel_client_camera::done(int result) {
    // Escape, the title bar's close and reject all come here: the camera
    // stops on every way out, and a grab still waiting is dropped.
    if (result != QDialog::Accepted) grabbing_ = false;
    camera_->close();
    QDialog::done(result);
}
