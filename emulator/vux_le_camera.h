#pragma once
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QVideoSink;
class QWidget;
class orbel_media_factory;
class orbel_video_input;

// One still picture from the default video input. Everything runs on the
// window thread: frames arrive through one video sink, the preview paints
// the latest of them into a control, and a grab answers later through its
// callback, so nothing ever waits.
class vux_le_camera : public QObject {
public:
    enum status_code { status_none = 0, status_failure = 1, status_no_driver = 20 };
    using grabbed = std::function<void(QImage)>;

    // The video input comes from the media module; without it the camera
    // has no sink and never opens.
    vux_le_camera();
    explicit vux_le_camera(orbel_media_factory* media);
    ~vux_le_camera() override;  // closes

    // Closes an earlier session, then starts the default video input (else
    // the first). False, with status 20 when there is no video input (or no
    // media module) or 1 when it cannot start. A stand-in camera of a test
    // only opens and feeds sink() itself.
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

    bool is_open() const { return open_; }
    int status() const { return status_; }
    const QString& status_text() const { return status_text_; }

    // The sink every frame passes through (tests feed it directly); null
    // without the media module.
    QVideoSink* sink() const;
    // 2000 ms unless a test wants less.
    void set_grab_timeout(int ms) { timeout_.setInterval(ms); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_frame(QImage image);
    void finish_grab(QImage image);
    void fail(int status, const QString& text);

    std::unique_ptr<orbel_video_input> input_;
    bool open_ = false;
    QPointer<QWidget> control_;
    QImage latest_;  // the preview's picture
    grabbed pending_;
    QTimer timeout_;
    int status_ = status_none;
    QString status_text_;
};
