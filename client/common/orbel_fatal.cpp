#include "client/common/orbel_fatal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

#include "client/start/orbel.h"
#include "client/start/orbel_main.h"
#include "gui/orbel_strings.h"
#include "gui/orbel_ui.h"

namespace {
bool ending = false;
}  // namespace

void orbel_fatal(int id) { orbel_fatal_message(orbel_string(id)); }

void orbel_fatal_message(const QString& text) {
    if (ending) return;
    ending = true;
    orbel* app = orbel::instance();
    QPointer<QWidget> main = app && app->main_window ? static_cast<QWidget*>(app->main_window.get()) : nullptr;
    orbel_get_ui().message(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : main.data(), text);
    // Each close takes the dialog off the modal stack; a widget that refuses
    // to close must not keep this loop going.
    for (int guard = 0; guard < 64; ++guard) {
        QWidget* top = QApplication::activeModalWidget();
        if (!top) break;
        if (auto* dialog = qobject_cast<QDialog*>(top))
            dialog->reject();
        else
            top->close();
        if (QApplication::activeModalWidget() == top) top->hide();
    }
    if (main) main->close();
}

bool orbel_ending() { return ending; }

void orbel_fatal_reset() { ending = false; }
