#include <gtest/gtest.h>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include "desktop/transport/orbel_socket_list.h"
#include "launcher/tessin_download.h"
#include "launcher/tessin_main.h"
#include "launcher_test_support.h"

TEST(DownloadProgress, position_of_received_bytes) {
    const int64_t big = int64_t(3) << 30;  // 3 GiB: received * 100 overflows 32 bits
    const struct {
        int64_t total, received;
        int position;
    } rows[] = {
        {10000, 5000, 50},
        {10000, 9999, 99},
        {10000, 10000, 100},
        {10000, 0, 0},
        {10000, 12000, 100},  // more than announced never passes the end
        {0, 5000, 0},         // no total yet
        {-5, 5000, 0},
        {big, big / 2, 50},
        {big, big - 1, 99},
        {INT64_MAX, INT64_MAX / 2, 49},
        {INT64_MAX, INT64_MAX - 1, 99},
    };
    for (const auto& r : rows)
        EXPECT_EQ(tessin_download::position(r.total, r.received), r.position) << r.total << " " << r.received;
}

namespace {
struct DownloadDialog : ::testing::Test {
    QApplication& app = launcher_test_app();  // before any widget
    recording_host host;
    orbel_socket_list sockets;
    tessin_download dialog{
        host, sockets, {QStringLiteral("127.0.0.1"), 9, QStringLiteral("/d")}, QStringLiteral("/nowhere/orbel")};
    QProgressBar* bar() { return dialog.findChild<QProgressBar*>(QStringLiteral("1001")); }
};
}  // namespace

TEST_F(DownloadDialog, both_dialogs_show_their_texts) {
    tessin_main check(host, sockets, {QStringLiteral("127.0.0.1"), 9, QStringLiteral("/cs")},
                      QStringLiteral("/nowhere/orbel"));
    const std::pair<QDialog*, QString> rows[] = {{&check, QStringLiteral("并检查软件更新...")},
                                                 {&dialog, QStringLiteral("正在下载更新软件...")}};
    for (const auto& [d, text] : rows) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Quellmark"));
        // Icon 128, in the title bar's small size and the task switcher's large one.
        for (int size : {16, 32}) {
            const QImage icon = d->windowIcon().pixmap(size, size).toImage();
            EXPECT_EQ(icon.width(), size) << size;
            EXPECT_GT(qAlpha(icon.pixel(size / 2, size / 2)), 0) << size;  // a picture, not an empty square
        }
        QStringList texts;
        for (auto* l : d->findChildren<QLabel*>()) texts << l->text();
        EXPECT_EQ(texts, QStringList{text});
        auto* cancel = d->findChild<QPushButton*>(QStringLiteral("2"));
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
    }
    EXPECT_EQ(check.findChild<QProgressBar*>(), nullptr);
    ASSERT_NE(bar(), nullptr);
    EXPECT_EQ(bar()->minimum(), 0);
    EXPECT_EQ(bar()->maximum(), 100);
    EXPECT_EQ(bar()->value(), 0);
}

TEST_F(DownloadDialog, first_report_sets_the_total) {
    dialog.on_progress(1, 10000, 5000);
    EXPECT_EQ(bar()->value(), 50);
    dialog.on_progress(1, 20000, 9999);  // a later total is not taken
    EXPECT_EQ(bar()->value(), 99);
    dialog.on_progress(1, int64_t(40) << 30, int64_t(1) << 30);
    EXPECT_EQ(bar()->value(), 100);
}

TEST_F(DownloadDialog, enter_does_nothing_cancel_closes) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("2"));
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), tessin_cancelled);
    EXPECT_TRUE(host.messages.isEmpty());
}
