#include "launcher/tessin_desktop_host.h"
#include <QMessageBox>
#include <QProcess>
#include "launcher/tessin_strings.h"

tessin_host::~tessin_host() = default;

void tessin_desktop_host::show_message(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, tessin_load_string(tessin_ids_app_title), text);
}

bool tessin_desktop_host::start_program(const QString& program, const QStringList& arguments) {
    // An argument list, not a command line: the path needs no quoting and
    // has no length limit. The client outlives the launcher.
    return QProcess::startDetached(program, arguments);
}
