// The small site dialogs and the password dialog as windows: ids, titles,
// named edits, and OK following the typed fields (the rules themselves are
// tabled in ok_rules_test).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "client/content/orbel_add_item.h"
#include "client/manager/orbel_group_acquire.h"
#include "client/manager/orbel_group_create.h"
#include "client/manager/orbel_group_rename.h"
#include "client/manager/orbel_group_transfer.h"
#include "client/manager/orbel_password.h"
#include "orbel_test_support.h"

namespace {

struct typed {
    std::vector<std::pair<const char*, const char*>> fields;  // id, text
    bool ok;
};

void check(QDialog& dialog, const char* id, const QString& title, const std::map<QString, QString>& names,
           const std::vector<typed>& steps) {
    SCOPED_TRACE(id);
    EXPECT_EQ(dialog.objectName(), id);
    EXPECT_EQ(dialog.windowTitle(), title);
    for (const auto& [edit_id, label] : names) {
        auto* edit = dialog.findChild<QLineEdit*>(edit_id);
        ASSERT_NE(edit, nullptr) << edit_id.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name), label) << edit_id.toStdString();
    }
    auto* ok = dialog.findChild<QPushButton*>("1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("2")->text(), QStringLiteral("取消"));
    for (const typed& step : steps) {
        for (const auto& [edit_id, text] : step.fields)
            dialog.findChild<QLineEdit*>(QLatin1String(edit_id))->setText(QString::fromUtf8(text));
        EXPECT_EQ(ok->isEnabled(), step.ok) << (step.fields.empty() ? "as opened" : step.fields[0].second);
    }
}

TEST(SiteDialogs, ids_titles_names_and_ok) {
    orbel_test_app();
    orbel_group_create create;
    check(create, "104", QStringLiteral("新建"), {{"1038", QStringLiteral("名称：")}},
          {{{}, false}, {{{"1038", "  "}}, false}, {{{"1038", " 站点 "}}, true}});
    EXPECT_EQ(create.name(), QStringLiteral(" 站点 "));

    orbel_group_acquire acquire;
    check(acquire, "106", QStringLiteral("获取"), {{"1038", QStringLiteral("验证码：")}},
          {{{}, false}, {{{"1038", "12"}}, true}});

    orbel_group_rename rename(QStringLiteral("旧名"));
    check(rename, "105", QStringLiteral("重命名"), {{"1038", QStringLiteral("新名称：")}},
          {{{}, false}, {{{"1038", " 旧名 "}}, false}, {{{"1038", "新名"}}, true}});

    orbel_group_transfer transfer(QStringLiteral("k1"), "me@example.com");
    check(transfer, "107", QStringLiteral("移交 - k1"),
          {{"1001", QStringLiteral("对方用户名：")}, {"1010", QStringLiteral("验证码：")}},
          {{{}, false},
           {{{"1001", "ME@example.com"}, {"1010", "c"}}, false},
           {{{"1001", "you@example.com"}}, true},
           {{{"1010", ""}}, false}});

    orbel_password password;
    check(password, "128", QStringLiteral("修改密码"),
          {{"1002", QStringLiteral("新的密码：")}, {"1077", QStringLiteral("重复密码：")}},
          {{{}, false}, {{{"1002", "abc1234"}}, false}, {{{"1077", "abc1234"}}, true}, {{{"1077", "ABC1234"}}, false}});
    EXPECT_EQ(password.findChild<QLineEdit*>("1002")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password.findChild<QLineEdit*>("1077")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password.password(), QStringLiteral("abc1234"));
}

// Each small form opens with the focus in its first field and that field's
// text selected, so typing replaces a prefilled name; Enter in a field does
// nothing while OK is disabled and accepts once it is enabled.
TEST(SiteDialogs, focus_in_the_first_field_and_enter_accepts_only_with_ok) {
    orbel_test_app();
    const struct {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
        const char* first;      // the field that has the focus
        const char* prefilled;  // its text as opened
        // Then typed, which enables OK; none for a dialog whose OK always is.
        std::vector<std::pair<const char*, const char*>> typed;
    } forms[] = {
        {"create", [] { return std::make_unique<orbel_group_create>(); }, "1038", "", {{"1038", "站点"}}},
        {"rename",
         [] { return std::make_unique<orbel_group_rename>(QStringLiteral("旧名")); },
         "1038",
         "旧名",
         {{"1038", "新名"}}},
        {"acquire", [] { return std::make_unique<orbel_group_acquire>(); }, "1038", "", {{"1038", "12"}}},
        {"transfer",
         [] { return std::make_unique<orbel_group_transfer>(QStringLiteral("k1"), "me@example.com"); },
         "1001",
         "",
         {{"1001", "you@example.com"}, {"1010", "c"}}},
        {"password",
         [] { return std::make_unique<orbel_password>(); },
         "1002",
         "",
         {{"1002", "abc1234"}, {"1077", "abc1234"}}},
        // No rule keeps its OK disabled: the list refuses an empty name.
        {"option", [] { return std::make_unique<orbel_input_option>(); }, "1038", "", {}},
    };
    for (const auto& f : forms) {
        SCOPED_TRACE(f.name);
        const std::unique_ptr<QDialog> dialog = f.make();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        auto* first = dialog->findChild<QLineEdit*>(QLatin1String(f.first));
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), first);
        EXPECT_EQ(first->selectedText(), QString::fromUtf8(f.prefilled));
        // Wide enough for the whole title and an e-mail address in the field.
        EXPECT_GE(dialog->width(), dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()));
        EXPECT_GE(first->width(), first->fontMetrics().horizontalAdvance(QStringLiteral("someone.name@example.com")));
        QTest::keyClick(first, Qt::Key_Return);
        if (f.typed.empty()) {
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            continue;
        }
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        for (const auto& [id, text] : f.typed) {
            auto* field = dialog->findChild<QLineEdit*>(QLatin1String(id));
            if (field != first) field->setFocus();
            field->insert(QString::fromUtf8(text));  // as typed: in place of the selection
        }
        EXPECT_EQ(first->text(), QString::fromUtf8(f.typed.front().second));  // typed over the prefilled name
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
}

}  // namespace
