#pragma once
#include <QByteArray>
#include <QFileDialog>
#include <QString>

// What a chosen picture file gives the engine: a JPEG fitted to 640 x 960,
// or nothing (empty) when the file is missing, empty, larger than 32 MiB,
// or not a JPEG, PNG or GIF.
QByteArray orbel_client_load_picture(const QString& path);

// The photo chooser: Qt's own (not the platform's) file dialog for one
// existing picture, titled "上传图片".
class orbel_client_load : public QFileDialog {
public:
    explicit orbel_client_load(QWidget* owner = nullptr);
};
