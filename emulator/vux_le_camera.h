#pragma once
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QCamera;
class QMediaCaptureSession;
class QVideoFrame;
class QVideoSink;
class QWidget;

// One still picture from the default video input. Everything runs on the
// window thread: frames arrive through one video sink, the preview paints
// the latest of them into a control, and a grab answers later through its
// callback, so nothing ever waits.
class vux_le_camera : public QObject {
public:
    enum status_code { status_none = 0, status_failure = 1, status_no_driver = 20 };
    using grabbed = std::function<void(QImage)>;

    vux_le_camera();
    ~vux_le_camera() override;  // closes

    // Closes an earlier session, then starts the default video input (else
    // the first). False, with status 20 when there is no video input or 1
    // when it cannot start. A stand-in camera of a test only opens and
    // feeds sink() itself.
    virtual bool open();
    // The frames the sink delivers are painted scaled into the control
    // until close.
    bool preview(QWidget* control);
    // Takes the next frame the sink delivers after this call; a null image
    // when none came within the grab timeout or the camera was closed first.
    // A grab already waiting ends with a null image.
    void grab(grabbed done);
    bool grabbing() const { return bool(pending_); }
    // Stops the camera and the preview; a waiting grab ends with nothing.
    void close();

    bool is_open() const { return camera_ != nullptr; }
    int status() const { return status_; }
    const QString& status_text() const { return status_text_; }

    // The sink every frame passes through (tests feed it directly).
    QVideoSink* sink() const { return sink_.get(); }
    // 2000 ms unless a test wants less.
    void set_grab_timeout(int ms) { timeout_.setInterval(ms); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_frame(const QVideoFrame& frame);
    void finish_grab(QImage image);
    void fail(int status, const QString& text);

    std::unique_ptr<QVideoSink> sink_;
    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QCamera> camera_;
    QPointer<QWidget> control_;
    QImage latest_;  // the preview's picture
    grabbed pending_;
    QTimer timeout_;
    int status_ = status_none;
    QString status_text_;
};
