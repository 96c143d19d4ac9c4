// The shared list controls: key bookkeeping of the report list, its presses
// on empty space, and the plain list box.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "client/controls/orbel_list_box.h"
#include "client/controls/orbel_list_control.h"
#include "orbel_test_support.h"

namespace {

TEST(ListControl, RowsCarryTheIndexOfTheirKey) {
    orbel_test_app();
    orbel_list_control list;
    list.setColumnCount(2);
    EXPECT_EQ(list.insert_row(0, "b"), 0);
    EXPECT_EQ(list.insert_row(0, "a"), 0);
    EXPECT_EQ(list.insert_row(99, "c"), 2);  // past the end appends
    list.set_text(2, "中");
    EXPECT_EQ(list.topLevelItem(2)->text(1), QString::fromUtf8("中"));
    // Rows: a, b, c. Keys shared between rows keep one index.
    list.set_key("k-b", 1);
    list.set_key("k-a", 0);
    list.set_key("k-b", 2);
    EXPECT_EQ(list.keys().count(), 2);
    EXPECT_EQ(list.topLevelItem(1)->data(0, Qt::UserRole).toInt(), 0);
    EXPECT_EQ(list.topLevelItem(0)->data(0, Qt::UserRole).toInt(), 1);
    EXPECT_EQ(list.find_row(0), 1);  // the first row with the index
    EXPECT_EQ(list.find_row(1), 0);
    EXPECT_EQ(list.find_row(7), -1);
    EXPECT_EQ(list.key_of(2), vux_string("k-b"));
    EXPECT_EQ(list.key_of(5), vux_string());

    EXPECT_EQ(list.selected_row(), -1);
    list.topLevelItem(2)->setSelected(true);
    list.topLevelItem(1)->setSelected(true);
    EXPECT_EQ(list.selected_row(), 1);  // first in row order
    list.set_text(9, "none");           // a missing row is left alone
    list.set_key("none", 9);
    EXPECT_EQ(list.keys().count(), 2);
}

TEST(ListControl, PressesOnEmptySpaceKeepTheSelectionAndTakeTheFocus) {
    orbel_test_app();
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* list = new orbel_list_control(&window);
    list->setGeometry(0, 30, 300, 300);
    list->setColumnCount(2);
    list->insert_row(0, "a");
    list->insert_row(1, "b");
    window.resize(300, 340);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    list->topLevelItem(1)->setSelected(true);
    other->setFocus();
    ASSERT_TRUE(ORBEL_WAIT(other->hasFocus()));

    QWidget* viewport = list->viewport();
    const QPoint empty(150, viewport->height() - 5);
    ASSERT_EQ(list->itemAt(empty), nullptr);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mousePress(viewport, button, {}, empty);
        QTest::mouseRelease(viewport, button, {}, empty);
        EXPECT_EQ(list->selected_row(), 1);
    }
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_EQ(list->selected_row(), 1);
    EXPECT_TRUE(ORBEL_WAIT(list->hasFocus()));

    // On a row the ordinary handling selects it.
    const QPoint row0 = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, row0);
    EXPECT_EQ(list->selected_row(), 0);
    EXPECT_FALSE(list->topLevelItem(1)->isSelected());
}

TEST(ListBox, AddReturnsTheNewIndex) {
    orbel_test_app();
    orbel_list_box box;
    EXPECT_EQ(box.add("one"), 0);
    EXPECT_EQ(box.add("\xE4\xB8\xAD"), 1);
    EXPECT_EQ(box.item(1)->text(), QString(QChar(0x4E2D)));
}

}  // namespace
