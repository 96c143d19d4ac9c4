#include "launcher/tessin.h"
#include <QDir>
#include "launcher/tessin_client.h"
#include "launcher/tessin_download.h"
#include "launcher/tessin_host.h"
#include "launcher/tessin_main.h"
#include "launcher/tessin_strings.h"

tessin::tessin(tessin_host& host, const orbel_service_address& service, const QString& client_path)
    : host_(host), service_(service), client_path_(client_path) {
    // The launcher ends after one or two requests; its sockets may live
    // until then.
    sockets_.set_purge_when_finished(false);
}

bool tessin::run() {
    tessin_outcome outcome;
    orbel_service_address source;
    {
        tessin_main check(host_, sockets_, service_, client_path_);
        outcome = check.run();
        source = check.download_from();
    }
    if (outcome == tessin_download_client) {
        tessin_download download(host_, sockets_, source, client_path_);
        outcome = download.run();
    }
    if (outcome != tessin_start_client) return false;
    if (tessin_launch_client(host_, client_path_)) return true;
    // Nothing was updated when the check found the client current: the
    // message names what failed, and the file, so the user can look at it.
    host_.show_message(nullptr,
                       tessin_load_string(tessin_ids_start_failure).arg(QDir::toNativeSeparators(client_path_)));
    return false;
}
