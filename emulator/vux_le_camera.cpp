#include "emulator/vux_le_camera.h"

#include <QCamera>
#include <QEvent>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWidget>

vux_le_camera::vux_le_camera() : sink_(std::make_unique<QVideoSink>()) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(2000);
    connect(&timeout_, &QTimer::timeout, this, [this] { finish_grab({}); });
    connect(sink_.get(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& f) { on_frame(f); });
}

vux_le_camera::~vux_le_camera() {
    // The grab callback may reach back into its owner: end it while this
    // object is still whole, and let no frame in afterwards.
    close();
    sink_->disconnect(this);
}

bool vux_le_camera::open() {
    close();
    QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull()) {
        const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
        if (!inputs.isEmpty()) device = inputs.first();
    }
    if (device.isNull()) {
        fail(status_no_driver, QStringLiteral("no video input"));
        return false;
    }
    camera_ = std::make_unique<QCamera>(device);
    session_ = std::make_unique<QMediaCaptureSession>();
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_.get());
    connect(camera_.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& text) {
        // A camera that fails while running delivers no more frames: a
        // waiting grab need not sit out its time-out.
        status_ = status_failure;
        status_text_ = text;
        finish_grab({});
    });
    camera_->start();
    if (camera_->error() != QCamera::NoError) {
        fail(status_failure, camera_->errorString());
        return false;
    }
    return true;
}

void vux_le_camera::fail(int status, const QString& text) {
    close();
    status_ = status;
    status_text_ = text;
}

bool vux_le_camera::preview(QWidget* control) {
    if (!control) return false;
    if (control_) control_->removeEventFilter(this);
    control_ = control;
    control_->installEventFilter(this);
    control_->update();
    return true;
}

void vux_le_camera::grab(grabbed done) {
    finish_grab({});
    pending_ = std::move(done);
    timeout_.start();
}

void vux_le_camera::on_frame(const QVideoFrame& frame) {
    if (!pending_ && !control_) return;
    QImage image = frame.toImage();
    if (control_) {
        latest_ = image;
        control_->update();
    }
    if (pending_ && !image.isNull()) finish_grab(std::move(image));
}

void vux_le_camera::finish_grab(QImage image) {
    timeout_.stop();
    // Taken out first: the callback may start the next grab or close.
    if (grabbed done = std::exchange(pending_, nullptr)) done(std::move(image));
}

void vux_le_camera::close() {
    status_ = status_none;
    status_text_.clear();
    if (control_) {
        control_->removeEventFilter(this);
        control_->update();
        control_ = nullptr;
    }
    latest_ = QImage();
    if (camera_) {
        camera_->disconnect(this);
        camera_->stop();
        session_->setVideoSink(nullptr);
        session_->setCamera(nullptr);
        camera_.reset();
        session_.reset();
    }
    finish_grab({});
}

bool vux_le_camera::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_ && event->type() == QEvent::Paint) {
        QPainter painter(control_);
        painter.fillRect(control_->rect(), Qt::black);
        if (!latest_.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(control_->rect(), latest_);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
