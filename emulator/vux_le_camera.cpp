#include "emulator/vux_le_camera.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "emulator/orbel_media_module.h"

vux_le_camera::vux_le_camera() : vux_le_camera(orbel_media()) {}

vux_le_camera::vux_le_camera(orbel_media_factory* media) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(2000);
    connect(&timeout_, &QTimer::timeout, this, [this] { finish_grab({}); });
    if (!media) return;
    orbel_video_events events;
    events.wanted = [this] { return bool(pending_) || bool(control_); };
    events.frame = [this](QImage image) { on_frame(std::move(image)); };
    events.failed = [this](const QString& text) {
        // A camera that fails while running delivers no more frames: a
        // waiting grab need not sit out its time-out.
        status_ = status_failure;
        status_text_ = text;
        finish_grab({});
    };
    input_ = media->video_input(std::move(events));
}

vux_le_camera::~vux_le_camera() {
    // The grab callback may reach back into its owner: end it while this
    // object is still whole, and let no frame in afterwards.
    close();
    input_.reset();
}

QVideoSink* vux_le_camera::sink() const { return input_ ? input_->sink() : nullptr; }

bool vux_le_camera::open() {
    close();
    if (!input_) {
        fail(status_no_driver, QStringLiteral("no video input: ") + orbel_media_error());
        return false;
    }
    QString text;
    if (const int status = input_->start(text); status != status_none) {
        fail(status, text);
        return false;
    }
    open_ = true;
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

void vux_le_camera::on_frame(QImage image) {
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
    if (input_) input_->stop();
    open_ = false;
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
