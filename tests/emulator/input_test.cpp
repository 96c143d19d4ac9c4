#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "client/orbel_test_support.h"
#include "emulator/orbel_client_input.h"
#include "gui/orbel_emoticon_list.h"

namespace {

struct codes_only : orbel_emoticon_source {
    std::string codes() override { return "[a][b]"; }
    QByteArray picture(const std::string&) override { return {}; }
};

template <class T>
T* control(QWidget* dialog, const char* id) {
    return dialog->findChild<T*>(id);
}

TEST(Input, TitleRule) {
    struct {
        QString title, caption;
        bool grid;
    } cases[] = {
        {"[e01]标题", "标题", true}, {"[e01]", "[e01]", false}, {"标题", "标题", false},
        {"[a]]b", "]b", true},       {"", "", false},           {"x[a]b", "x[a]b", false},
        {"[ab", "[ab", false},
    };
    for (auto& c : cases) {
        const orbel_input_title t = orbel_input_title_of(c.title);
        EXPECT_EQ(t.caption, c.caption) << c.title.toStdString();
        EXPECT_EQ(t.grid, c.grid) << c.title.toStdString();
    }
}

TEST(Input, LimitInUtf16Units) {
    struct {
        QString text;
        int maximum;
        QString kept;
    } cases[] = {
        {"abcdef", 0, "abcdef"},
        {"abcdef", 4, "abcd"},
        {"abc", 4, "abc"},
        {QString::fromUtf8("ab\xF0\x9F\x98\x80"), 3, "ab"},  // a pair is never split
        {QString::fromUtf8("ab\xF0\x9F\x98\x80"), 4, QString::fromUtf8("ab\xF0\x9F\x98\x80")},
    };
    for (auto& c : cases) EXPECT_EQ(orbel_input_limited(c.text, c.maximum), c.kept) << c.text.toStdString();
}

TEST(Input, DialogControlsAndGrid) {
    orbel_test_app();
    codes_only source;
    orbel_client_input with_grid(false, 0, "[e01]标题", "", &source);
    orbel_client_input plain(true, 0, "标题", "", &source);
    EXPECT_EQ(with_grid.objectName(), "145");
    EXPECT_EQ(with_grid.windowTitle(), "标题");
    EXPECT_TRUE(with_grid.has_grid());
    EXPECT_FALSE(plain.has_grid());
    EXPECT_TRUE(control<QPushButton>(&with_grid, "1097")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(&plain, "1097")->isEnabled());  // single line
    EXPECT_EQ(control<QPushButton>(&plain, "1")->text(), "确定");
    EXPECT_EQ(control<QPushButton>(&plain, "2")->text(), "取消");
    with_grid.show();
    plain.show();
    EXPECT_LT(plain.height(), with_grid.height());
    if (const char* dir = std::getenv("VUX_SHOT_DIR")) with_grid.grab().save(QString(dir) + "/input_grid.png");
}

TEST(Input, LineBreaksCrossAsCrLfAndReturnIsOk) {
    orbel_test_app();
    orbel_client_input dialog(false, 0, "t", "one\r\ntwo", nullptr);
    auto* edit = control<QPlainTextEdit>(&dialog, "1038");
    EXPECT_EQ(edit->toPlainText(), "one\ntwo");
    edit->moveCursor(QTextCursor::End);
    control<QPushButton>(&dialog, "1097")->click();
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(dialog.text(), "one\r\ntwo\r\nx");
    dialog.show();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.text(), "one\r\ntwo\r\nx");
}

TEST(Input, MaximumHoldsForTypingAndPasting) {
    orbel_test_app();
    orbel_client_input dialog(false, 5, "t", "abcdefgh", nullptr);
    auto* edit = control<QPlainTextEdit>(&dialog, "1038");
    EXPECT_EQ(dialog.text(), "abcde");  // an initial text is cut too
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "xyz");
    EXPECT_EQ(dialog.text(), "abcde");
    // A paste in the middle loses its own tail, not the text after it.
    edit->setPlainText("ab");
    QTextCursor c = edit->textCursor();
    c.setPosition(1);
    edit->setTextCursor(c);
    edit->insertPlainText("123456");
    EXPECT_EQ(dialog.text(), "a123b");
}

}  // namespace
