#pragma once
#include <QDialog>
#include <QString>
#include "desktop/transport/orbel_service_address.h"
#include "desktop/transport/orbel_socket_observer.h"

class QVBoxLayout;
class orbel_socket_list;
class tessin_host;
class vux_http_body_sink;
class vux_object;

// What the exec of a launcher dialog gives back.
enum tessin_outcome : int {
    tessin_cancelled = QDialog::Rejected,  // cancel, Escape or the window's close button
    tessin_failed,                         // the user has been told; nothing more to do
    tessin_start_client,
    tessin_download_client,
};

// The common frame of the launcher's two dialogs: caption, one line of text,
// a cancel button, and one request to the service about the client file,
// whose outcome ends the dialog.
//
// A socket callback only decides the outcome. The message box and the end
// of the dialog follow from the event loop once the callback has returned,
// so no modal loop ever runs inside the transport's own call.
class tessin_dialog : public QDialog, public orbel_socket_observer {
    Q_OBJECT
public:
    tessin_dialog(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& service,
                  const QString& client_path, const QString& text, QWidget* parent = nullptr);
    ~tessin_dialog() override;

    // Sends the dialog's request, then runs the dialog modally.
    tessin_outcome run();

    // The dialog's OK command is the Enter key; it does nothing here, so
    // only cancel or the request ends the dialog.
    void accept() override {}
    void reject() override;

protected:
    // Builds the dialog's request and hands it to send_request.
    virtual void send() = 0;
    // With a body sink, the reply's body goes there as it arrives.
    void send_request(const vux_object& request, vux_http_body_sink* body_sink = nullptr);
    // Settles the outcome once; the first decision stands. message_id is a
    // string-table entry shown before the dialog closes, 0 for none.
    void finish(tessin_outcome outcome, int message_id = 0);
    bool settled() const { return settled_; }
    QVBoxLayout* body() const { return body_; }
    tessin_host& host() const { return host_; }
    const orbel_service_address& address() const { return service_; }
    const QString& client_path() const { return client_path_; }

    void keyPressEvent(QKeyEvent* event) override;

private:
    tessin_host& host_;
    orbel_socket_list& sockets_;
    orbel_service_address service_;
    QString client_path_;
    QVBoxLayout* body_;
    bool settled_ = false;
};
