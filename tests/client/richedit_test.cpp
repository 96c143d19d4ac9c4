// The read-only text view: plain text only, colours in blue-green-red
// order, indents in twips, the right-press copy, the bottom test and the
// focus handed back.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "client/controls/orbel_line_layout.h"
#include "client/controls/orbel_richedit.h"
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

// Many lines through the line layout: a few lines per paragraph, the
// same plain text back, one row per line in the scroll range, hit tests by
// row and column, the selection drawn on its row, and the right-press copy
// in LF lines without moving the view.
struct line_view {
    static constexpr int lines = 1000;
    static constexpr int unit_count = 18;  // "13800001000 名字1000"
    orbel_richedit edit;
    QString text;
    orbel_line_layout* layout = nullptr;
    qreal margin = 0, row = 0;

    line_view() {
        edit.resize(300, 200);
        for (int i = 0; i < lines; ++i) text += QStringLiteral("1380000%1 名字%1\r\n").arg(1000 + i);
        orbel_line_layout::set_lines(&edit, text);
        edit.show();
        layout = qobject_cast<orbel_line_layout*>(edit.document()->documentLayout());
        margin = edit.document()->documentMargin();
        if (layout) row = layout->row_height();
    }
    static int start_of(int r) { return r * (unit_count + 1); }
    // Pixels of the highlight colour in row r's band of the viewport.
    int highlighted_in_row(int r) {
        const QImage shot = edit.viewport()->grab().toImage();
        const int top = int(margin + r * row - edit.verticalScrollBar()->value());
        int count = 0;
        for (int y = top; y < top + int(row); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c == edit.palette().color(QPalette::Active, QPalette::Highlight) ||
                    c == edit.palette().color(QPalette::Inactive, QPalette::Highlight))
                    ++count;
            }
        return count;
    }
};

TEST(LineLayout, LinesAreRowsOfFewParagraphs) {
    orbel_test_app();
    line_view v;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.edit));
    ASSERT_NE(v.layout, nullptr);
    ASSERT_GT(v.row, 0);
    EXPECT_LE(v.edit.document()->blockCount(), line_view::lines / 8);
    EXPECT_EQ(v.edit.toPlainText(), QString(v.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(v.layout->row_count(), line_view::lines + 1);  // the last line end opens an empty row
    EXPECT_DOUBLE_EQ(v.layout->documentSize().height(), (line_view::lines + 1) * v.row + 2 * v.margin);
    EXPECT_GE(v.edit.verticalScrollBar()->maximum(), int(line_view::lines * v.row) - v.edit.viewport()->height());

    const qreal left = v.margin + 0.1, right = 10000, bottom = v.margin + (line_view::lines + 5) * v.row;
    auto mid = [&](int r) { return v.margin + (r + 0.5) * v.row; };
    struct hit {
        QPointF point;
        Qt::HitTestAccuracy accuracy;
        int position;
    } hits[] = {
        {{left, mid(0)}, Qt::FuzzyHit, 0},
        {{left, mid(5)}, Qt::ExactHit, line_view::start_of(5)},
        {{right, mid(5)}, Qt::FuzzyHit, line_view::start_of(5) + line_view::unit_count},
        {{right, mid(5)}, Qt::ExactHit, -1},
        {{left, bottom}, Qt::FuzzyHit, line_view::start_of(line_view::lines)},
        {{left, bottom}, Qt::ExactHit, -1},
        {{left, -20}, Qt::FuzzyHit, 0},
    };
    for (const hit& h : hits)
        EXPECT_EQ(v.layout->hitTest(h.point, h.accuracy), h.position) << h.point.x() << "," << h.point.y();

    // Row 2 selected: its band shows the highlight, row 4's does not.
    QTextCursor cursor(v.edit.document());
    cursor.setPosition(line_view::start_of(2));
    cursor.setPosition(line_view::start_of(2) + line_view::unit_count, QTextCursor::KeepAnchor);
    v.edit.setTextCursor(cursor);
    EXPECT_GT(v.highlighted_in_row(2), 20);
    EXPECT_EQ(v.highlighted_in_row(4), 0);
}

TEST(LineLayout, RightPressCopiesLinesAndKeepsTheView) {
    orbel_test_app();
    line_view v;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.edit));
    QScrollBar* bar = v.edit.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int value = bar->value();
    const int first = int((value - v.margin) / v.row) + 2;  // a row in view
    QTextCursor cursor(v.edit.document());
    cursor.setPosition(line_view::start_of(first) + 12);
    cursor.setPosition(line_view::start_of(first + 1) + 11, QTextCursor::KeepAnchor);
    v.edit.setTextCursor(cursor);
    bar->setValue(value);
    EXPECT_GT(v.highlighted_in_row(first), 0);
    QApplication::clipboard()->clear();
    QTest::mousePress(v.edit.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("名字%1\n1380000%2").arg(1000 + first).arg(1000 + first + 1));
    EXPECT_FALSE(v.edit.textCursor().hasSelection());
    EXPECT_EQ(bar->value(), value);
}

}  // namespace
