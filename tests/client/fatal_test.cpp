// The one fatal exit: one message, open modal dialogs closed from the top.
#include <gtest/gtest.h>

#include "client/common/orbel_fatal.h"
#include "gui/orbel_strings.h"
#include "orbel_test_support.h"

namespace {

TEST(Fatal, ShowsOnceAndClosesTheModalDialogs) {
    orbel_test_ui ui;
    orbel_fatal_reset();
    QDialog outer;
    QDialog* inner = new QDialog(&outer);
    QStringList closed;
    QObject::connect(&outer, &QDialog::finished, [&] { closed << "outer"; });
    QObject::connect(inner, &QDialog::finished, [&] { closed << "inner"; });
    // A second fatal while the first message is up is dropped.
    ui.on_message = [](const QString&) { orbel_fatal(orbel_ids_network_failure); };
    QTimer::singleShot(0, inner, [inner] { inner->open(); });
    QTimer::singleShot(0, [] { QTimer::singleShot(0, [] { orbel_fatal(orbel_ids_system_failure); }); });
    outer.exec();
    EXPECT_EQ(ui.messages, QStringList{orbel_string(orbel_ids_system_failure)});
    EXPECT_EQ(closed, QStringList({"inner", "outer"}));
    EXPECT_TRUE(orbel_ending());
    orbel_fatal_reset();
}

}  // namespace
