#pragma once
#include <QDialog>
#include <QString>
#include <memory>

#include "emulator/vux_le_camera.h"

class QPushButton;

// The camera dialog (148, "拍照"): the preview in control 1080, OK "确定"
// and Cancel "取消". OK takes one frame, writes it as the BMP file given
// when one came, closes the camera and ends with OK; every other way out
// closes the camera and ends with cancel.
class orbel_client_camera : public QDialog {
public:
    // The camera is open already; the dialog owns it from here on.
    orbel_client_camera(std::unique_ptr<vux_le_camera> camera, const QString& capture_path, QWidget* parent = nullptr);
    ~orbel_client_camera() override;

    vux_le_camera& camera() { return *camera_; }
    void accept() override;
    void done(int result) override;

private:
    void grabbed(const QImage& frame);

    std::unique_ptr<vux_le_camera> camera_;
    QString capture_path_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool grabbing_ = false;
};
