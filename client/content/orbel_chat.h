#pragma once
#include <QString>

#include "client/content/orbel_message_dialog.h"
#include "core/vux_string.h"
#include "desktop/records/vux_desktop_message_list.h"

class QPlainTextEdit;
class QPushButton;
class orbel_richedit;

// A conversation with one member (dialog 121): the transcript, polled every
// 15 s, and the administrator's messages, sent as the site.
class orbel_chat : public orbel_message_dialog {
    Q_OBJECT
public:
    orbel_chat(const vux_string& site_key, const vux_string& member_key, const QString& site_name,
               const QString& member_name, QWidget* parent);

    // True once a message was sent.
    bool sent() const { return sent_; }
    const vux_desktop_message_list& messages() const { return messages_; }

protected:
    void on_message(const vux_desktop_response_message& reply) override;
    void on_idle() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void poll() override;

private:
    void send_text();
    void append(const vux_desktop_message& message);

    orbel_richedit* transcript_;
    QPlainTextEdit* edit_;
    QPushButton* refresh_;
    QPushButton* send_;
    vux_desktop_message_list messages_;
    vux_string site_key_;
    vux_string member_key_;
    QString site_name_;
    QString member_name_;
    bool sent_ = false;
};
