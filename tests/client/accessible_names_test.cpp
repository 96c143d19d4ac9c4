// Screen readers and UI automation find every edit, list and picture control
// of the client's dialogs by name.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QLineEdit>

#include "client/start/orbel.h"
#include "client/start/orbel_banner.h"
#include "client/start/orbel_ip.h"
#include "client/start/orbel_logon.h"
#include "orbel_test_support.h"

namespace {

QString accessible_name(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every edit, list and picture in `dialog` is named; those in `expected` by
// the text given.
void expect_named(QWidget& dialog, const std::map<QString, QString>& expected) {
    int checked = 0;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractItemView*>(w) && !qobject_cast<orbel_banner*>(w))
            continue;
        const QString name = accessible_name(w);
        EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
        if (auto it = expected.find(w->objectName()); it != expected.end()) {
            EXPECT_EQ(name, it->second) << w->objectName().toStdString();
            ++checked;
        }
    }
    EXPECT_EQ(checked, int(expected.size()));
}

TEST(AccessibleNames, logon_and_server_address_controls) {
    orbel_test_app();
    orbel_test_clear_settings();
    orbel app;
    orbel_logon logon;
    expect_named(
        logon,
        {{"1001", QStringLiteral("用户名：")}, {"1002", QStringLiteral("密码：")}, {"1055", QStringLiteral("登录")}});
    orbel_ip address(QStringLiteral("svc.example"), 8123);
    expect_named(address, {{"1059", QStringLiteral("地址：")}, {"1104", QStringLiteral("端口号：")}});
}

}  // namespace
