#pragma once
#include <QString>
#include "desktop/transport/orbel_service_address.h"
#include "desktop/transport/orbel_socket_list.h"
#include "desktop/transport/orbel_socket_observer.h"

class tessin_host;

using tessin_socket_list = orbel_socket_list;
using tessin_socket_observer = orbel_socket_observer;

// The launcher application: checks whether the client beside it is current,
// downloads a new one when told to, and starts it with "shell".
class tessin {
public:
    tessin(tessin_host& host, const orbel_service_address& service, const QString& client_path);

    // Runs the check, and the download when the check asks for one, each
    // dialog closed before the next step begins. True when the client was
    // started.
    bool run();

private:
    tessin_host& host_;
    orbel_service_address service_;
    QString client_path_;
    tessin_socket_list sockets_;
};
