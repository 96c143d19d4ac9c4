#pragma once
#include "launcher/tessin_dialog.h"
#include "launcher/tessin_download_frame.h"

class QProgressBar;

// Fetches the new client with a 3904 request, shows the transfer on a bar
// from 0 to 100, and writes the client's bytes into the new client file as
// they arrive; the old client is replaced once the whole reply is good.
class tessin_download : public tessin_dialog {
    Q_OBJECT
public:
    tessin_download(tessin_host& host, orbel_socket_list& sockets, const orbel_service_address& source,
                    const QString& client_path, QWidget* parent = nullptr);

    // Bar position for received of total bytes: 0..100, 0 while the total
    // is unknown. 64-bit, so a client of any size cannot overflow it.
    static int position(int64_t total, int64_t received);

    void on_progress(int32_t id, int64_t expected, int64_t received) override;
    void on_reply(int32_t id, const vux_buffer& body) override;
    void on_failure(int32_t id) override;

protected:
    void send() override;

private:
    tessin_download_frame frame_;
    QProgressBar* bar_;
    int64_t total_ = 0;  // set by the first progress report
};
