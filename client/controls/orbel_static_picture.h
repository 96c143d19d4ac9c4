#pragma once
#include <QByteArray>
#include <QImage>
#include <QWidget>

#include "core/vux_string.h"
#include "desktop/transport/orbel_socket_observer.h"

// A picture shown on white, fitted into the control with its proportions
// and centred; empty bytes show white only. `load` fetches the picture of a
// key from the service; a closed control is never called back.
class orbel_static_picture : public QWidget, public orbel_socket_observer {
    Q_OBJECT
public:
    explicit orbel_static_picture(QWidget* parent = nullptr);

    const QByteArray& bytes() const { return bytes_; }
    // Replaces the picture (decoded once, here).
    void set_bytes(const QByteArray& bytes);
    const vux_string& key() const { return key_; }
    // Sends the request for the picture of `key` (3922, operation 1).
    void load(const vux_string& key);
    bool busy() const { return busy_; }

    void on_reply(int32_t id, const vux_buffer& body) override;
    void on_failure(int32_t id) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void handle_reply(const QByteArray& body);

    QByteArray bytes_;
    QImage image_;
    vux_string key_;
    bool busy_ = false;
    int32_t request_id_ = 0;
};
