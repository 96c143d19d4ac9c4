// The read-only text view: plain text only, colours in blue-green-red
// order, indents in twips, the right-press copy, the bottom test and the
// focus handed back.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "client/orbel_richedit.h"
#include "orbel_test_support.h"

namespace {

TEST(RichEdit, ServiceTextIsPlainAndFormatsApplyToTheSelection) {
    orbel_test_app();
    orbel_richedit edit;
    EXPECT_FALSE(edit.editable());
    EXPECT_EQ(edit.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(edit.viewport()->cursor().shape(), Qt::ArrowCursor);
    edit.set_default_format();
    edit.set_color(0x0000FF);  // red in blue-green-red order
    edit.set_indent(1440);
    edit.add_text("<b>bold?</b>");
    EXPECT_EQ(edit.toPlainText(), "<b>bold?</b>");
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0xFF, 0, 0));
    EXPECT_DOUBLE_EQ(edit.document()->firstBlock().blockFormat().leftMargin(), edit.logicalDpiX());
}

TEST(RichEdit, RightPressCopiesTheSelectionAndCollapsesIt) {
    orbel_test_app();
    orbel_richedit edit;
    edit.resize(200, 100);
    edit.add_text("hello world");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QApplication::clipboard()->clear();
    QTest::mousePress(edit.viewport(), Qt::RightButton, {}, QPoint(150, 80));
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");
    EXPECT_FALSE(edit.textCursor().hasSelection());
    EXPECT_EQ(edit.textCursor().position(), 5);
}

TEST(RichEdit, AtBottomFollowsTheScrollPosition) {
    orbel_test_app();
    orbel_richedit edit;
    edit.resize(200, 60);
    edit.show();
    EXPECT_TRUE(edit.at_bottom());  // nothing to scroll
    for (int i = 0; i < 50; ++i) edit.add_text(QStringLiteral("line %1\n").arg(i));
    ASSERT_TRUE(ORBEL_WAIT(edit.verticalScrollBar()->maximum() > 0));
    edit.verticalScrollBar()->setValue(0);
    EXPECT_FALSE(edit.at_bottom());
    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
    EXPECT_TRUE(edit.at_bottom());
}

TEST(RichEdit, HandsTheFocusBackToTheWidgetThatHadIt) {
    orbel_test_app();
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* view = new orbel_richedit(&window);
    auto* second = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(view);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (QLineEdit* had : {first, second}) {
        had->setFocus();
        view->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), had);
    }
    view->set_editable(true);
    view->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), view);
}

}  // namespace
