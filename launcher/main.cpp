#include <QApplication>
#include "desktop/transport/orbel_qt_translation.h"
#include "launcher/tessin.h"
#include "launcher/tessin_client.h"
#include "launcher/tessin_desktop_host.h"
#include "launcher/tessin_strings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orbel_load_qt_translation(app);
    // The dialogs follow each other; the close of the first is no end.
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(tessin_icon());
    tessin_desktop_host host;
    tessin launcher(host, orbel_service_address_in_force(), tessin_client_path());
    return launcher.run() ? 0 : 1;
}
