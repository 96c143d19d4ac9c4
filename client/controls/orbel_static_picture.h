#pragma once
#include <QByteArray>
#include <QImage>
#include <QWidget>

#include "client/common/orbel_reply_path.h"
#include "core/vux_string.h"

// A picture shown on white, fitted into the control with its proportions
// and centred; empty bytes show white only. `load` fetches the picture of a
// key from the service; a closed control is never called back.
class orbel_static_picture : public QWidget, public orbel_reply_path {
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void take_reply(int32_t code, std::unique_ptr<vux_record> reply) override;
    void take_failure() override;
    bool takes_replies() const override { return busy_; }

private:
    QByteArray bytes_;
    QImage image_;
    vux_string key_;
    bool busy_ = false;
};
