#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "client/orbel_test_support.h"
#include "emulator/orbel_client_setup_location.h"
#include "gui/orbel_settings.h"

namespace {

TEST(Location, OkWaitsForBothFieldsThenStoresAndPrefillsTheNextOpen) {
    orbel_test_app();
    orbel_test_clear_settings();
    EXPECT_EQ(orbel_location_text(orbel_location_stored()), "0.000 0.000");

    orbel_client_setup_location dialog(orbel_location_stored());
    EXPECT_EQ(dialog.objectName(), "149");
    EXPECT_EQ(dialog.windowTitle(), "位置设置");
    auto* latitude = dialog.findChild<QLineEdit*>("1054");
    auto* longitude = dialog.findChild<QLineEdit*>("1105");
    auto* ok = dialog.findChild<QPushButton*>("1");
    ASSERT_TRUE(latitude && longitude && ok);
    EXPECT_EQ(latitude->text(), "0.000");

    struct {
        QString latitude, longitude;
    } empties[] = {{"", "1"}, {"1", ""}, {"", ""}};
    dialog.show();
    for (auto& e : empties) {
        latitude->setText(e.latitude);
        longitude->setText(e.longitude);
        ok->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(orbel_location_text(orbel_location_stored()), "0.000 0.000");
    }
    // A settings file others may read, as another program might leave it.
    {
        QSettings other("__ORBEL", "Quellmark");
        other.setValue("__EMULATOR/probe", 1);
    }
    const QFileDevice::Permissions readable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(orbel_settings_file(), readable));
    latitude->setText("39.904");
    longitude->setText("116.407");
    ok->click();
    // It also holds the remembered password: the location's write leaves it
    // its owner's only.
    EXPECT_EQ(QFile::permissions(orbel_settings_file()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());

    orbel_client_setup_location next(orbel_location_stored());
    EXPECT_EQ(orbel_location_text(next.location()), "39.904 116.407");
    QSettings settings("__ORBEL", "Quellmark");
    EXPECT_EQ(settings.value("__EMULATOR/__LATITUDE").toString(), "39.904");
}

}  // namespace
