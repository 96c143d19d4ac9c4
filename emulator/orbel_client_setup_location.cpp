#include "emulator/orbel_client_setup_location.h"
#include "emulator/orbel_dialog_buttons.h"
#include "emulator/vux_le_persist.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

// The emulator's persisted state owns these keys; its writer keeps the
// settings file, which also holds the remembered password, its owner's only.
orbel_location orbel_location_stored() {
    const vux_le_persist persist;
    return {persist.latitude(), persist.longitude()};
}

void orbel_location_store(const orbel_location& location) {
    vux_le_persist().set_location(location.latitude, location.longitude);
}

QString orbel_location_text(const orbel_location& location) { return location.latitude + ' ' + location.longitude; }

orbel_client_setup_location::orbel_client_setup_location(const orbel_location& prefill, QWidget* parent)
    : QDialog(parent) {
    setObjectName("149");
    setWindowTitle(QStringLiteral("位置设置"));
    latitude_ = new QLineEdit(prefill.latitude, this);
    latitude_->setObjectName("1054");
    longitude_ = new QLineEdit(prefill.longitude, this);
    longitude_->setObjectName("1105");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("纬度："), this), 0, 0);
    grid->addWidget(latitude_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("经度："), this), 1, 0);
    grid->addWidget(longitude_, 1, 1);
    grid->addLayout(orbel_dialog_buttons(this), 2, 0, 1, 2);
}

orbel_location orbel_client_setup_location::location() const { return {latitude_->text(), longitude_->text()}; }

void orbel_client_setup_location::accept() {
    const orbel_location typed = location();
    if (typed.latitude.isEmpty() || typed.longitude.isEmpty()) return;
    orbel_location_store(typed);
    QDialog::accept();
}
