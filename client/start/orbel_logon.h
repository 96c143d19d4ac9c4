#pragma once
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>

#include "client/common/orbel_reply_path.h"
#include "client/start/orbel_logon_outcome.h"
#include "core/vux_string.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class orbel_banner;
class orbel_tool_tips;

// The logon dialog (101): signs the administrator in with the two-step
// challenge exchange and leaves the service address and the session in the
// application. Ends with Accepted on success; every other end is Rejected,
// which ends the program.
class orbel_logon : public QDialog, public orbel_reply_path {
    Q_OBJECT
public:
    explicit orbel_logon(QWidget* parent = nullptr);
    ~orbel_logon() override;

    // MD5 hex of the user name, the challenge as 8 lower-case hex digits and
    // the password, joined without separators.
    static vux_string verify_digest(const vux_string& user, int32_t challenge, const vux_string& password) {
        return orbel_logon_outcome::verify_digest(user, challenge, password);
    }

    // Where this dialog sends its requests.
    const QString& host() const { return host_; }
    int port() const { return port_; }
    void set_address(const QString& host, int port);

    // True while a logon or verify request is outstanding.
    bool busy() const { return step_ != step::idle; }

    // The dialog's OK command (Enter): the logon checks and request.
    void accept() override;
    void done(int result) override;

    // The hidden maintenance tools.
    void on_server_address();
    void on_image_pack();

private:
    enum class step { idle, logon, verify };

    void logon_checks();
    void send(const vux_object& request, step next);
    void take_reply(int32_t code, std::unique_ptr<vux_record> reply) override;
    void take_failure() override;
    bool takes_replies() const override { return busy(); }
    void apply(const orbel_logon_outcome& outcome, const vux_desktop_response_verify* signed_in);
    orbel_logon_outcome::request request_state() const;
    void set_busy(bool on);
    void close_nested_dialogs();

    QLineEdit* user_edit_;
    QLineEdit* password_edit_;
    QCheckBox* remember_box_;
    QCheckBox* no_tips_box_;
    QPushButton* logon_button_;
    orbel_banner* banner_;
    orbel_tool_tips* tips_;

    vux_string user_;
    vux_string password_;
    int port_ = 80;
    QString host_;
    vux_string path_;

    step step_ = step::idle;
    bool cursor_set_ = false;
};
