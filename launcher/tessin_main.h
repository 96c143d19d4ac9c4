#pragma once
#include "launcher/tessin_dialog.h"

// The upgrade check: says that it checks for updates while the 3902 request
// runs, and ends with the client to start, a download to run, or a failure.
class tessin_main : public tessin_dialog {
    Q_OBJECT
public:
    tessin_main(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& service,
                const QString& client_path, QWidget* parent = nullptr);

    // Where the new client is to be fetched, after tessin_download_client.
    const orbel_service_address& download_from() const { return download_from_; }

    void on_reply(int32_t id, const vux_buffer& body) override;
    void on_failure(int32_t id) override;

protected:
    void send() override;

private:
    orbel_service_address download_from_;
};
