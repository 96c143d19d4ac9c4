#pragma once
#include "client/controls/orbel_form_dialog.h"

class QLineEdit;

// The server address dialog (132): the address and port of the service for
// the next logon request.
class orbel_ip : public orbel_form_dialog {
    Q_OBJECT
public:
    orbel_ip(const QString& host, int port, QWidget* parent = nullptr);

    QString address() const;
    // The port as typed; 0 when the text is empty or no number that fits.
    int port() const;
    // A port the service can be reached on.
    static bool is_valid_port(int port) { return port >= 1 && port <= 65535; }

private:
    QLineEdit* address_;
    QLineEdit* port_;
};
