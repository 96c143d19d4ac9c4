#include "client/orbel_emulator_factory.h"

#include <QApplication>

namespace {
orbel_emulator_factory& factory_in_force() {
    static orbel_emulator_factory factory;
    return factory;
}
}  // namespace

void orbel_set_emulator_factory(orbel_emulator_factory factory) { factory_in_force() = std::move(factory); }

bool orbel_has_emulator_factory() { return bool(factory_in_force()); }

bool orbel_emulator_toggle(std::unique_ptr<QWidget>& frame) {
    if (frame) {
        frame->setVisible(!frame->isVisible());
        return true;
    }
    if (!factory_in_force()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame = factory_in_force()();
    QApplication::restoreOverrideCursor();
    if (!frame) return false;
    frame->show();
    frame->raise();
    frame->activateWindow();
    return true;
}
