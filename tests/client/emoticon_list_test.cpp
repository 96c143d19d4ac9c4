#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <map>

#include "client/orbel_test_support.h"
#include "gui/orbel_emoticon_list.h"

namespace {

struct fake_source : orbel_emoticon_source {
    std::string list;
    std::map<std::string, QByteArray> data;
    std::string codes() override { return list; }
    QByteArray picture(const std::string& name) override {
        auto it = data.find(name);
        return it == data.end() ? QByteArray() : it->second;
    }
};

QByteArray green_png() {
    QImage image(12, 12, QImage::Format_ARGB32);
    image.fill(QColor(0, 200, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(EmoticonList, OneCodePerOpeningBracket) {
    struct {
        const char* list;
        std::vector<std::string> codes;
    } cases[] = {
        {"[a][bb]", {"[a]", "[bb]"}},
        {"abc", {}},
        {"", {}},
        {"[a][b", {"[a]", "[b"}},
        {"x[a]y[]", {"[a]", "[]"}},
        {"[[a]]", {"[[a]", "[a]"}},
        {"[", {"["}},
        {"]][x]", {"[x]"}},
    };
    for (auto& c : cases) EXPECT_EQ(orbel_emoticon_codes(c.list), c.codes) << c.list;
    EXPECT_EQ(orbel_emoticon_picture_name(0), "em000.png");
    EXPECT_EQ(orbel_emoticon_picture_name(42), "em042.png");
    EXPECT_EQ(orbel_emoticon_picture_name(123), "em123.png");
}

TEST(EmoticonList, CellsOnTheirPitch) {
    struct {
        int width, index;
        QRect cell;
    } cases[] = {
        {300, 0, {10, 8, 24, 24}},                               // 9 columns, offset (300 - 216 - 64) / 2
        {300, 8, {266, 8, 24, 24}}, {300, 9, {10, 40, 24, 24}},  // second row
        {30, 0, {3, 8, 24, 24}},                                 // under 40 px: one column
        {30, 2, {3, 72, 24, 24}},   {0, 1, {-12, 40, 24, 24}},
    };
    for (auto& c : cases) EXPECT_EQ(orbel_emoticon_cell(c.width, c.index), c.cell) << c.width << " " << c.index;
}

struct GridFixture : ::testing::Test {
    fake_source source;
    QPlainTextEdit edit;
    std::unique_ptr<orbel_emoticon_list> grid;

    void SetUp() override {
        orbel_test_app();
        source.list = "[smile][cry][wave]";
        source.data["em000.png"] = green_png();
        source.data["em002.png"] = green_png();
        grid = std::make_unique<orbel_emoticon_list>(&source, &edit);
        grid->resize(300, 80);
        edit.setPlainText("hello world");
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(6);
        cursor.setPosition(11, QTextCursor::KeepAnchor);  // "world" selected
        edit.setTextCursor(cursor);
    }
    QPoint centre(int i) const { return orbel_emoticon_cell(300, i).center(); }
};

TEST_F(GridFixture, ClickOnOneCellReplacesTheSelection) {
    QTest::mousePress(grid.get(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(grid->pressed(), 1);
    QTest::mouseRelease(grid.get(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(edit.toPlainText(), "hello [cry]");
    EXPECT_EQ(grid->pressed(), -1);
}

TEST_F(GridFixture, ReleaseElsewhereInsertsNothing) {
    QTest::mousePress(grid.get(), Qt::LeftButton, {}, centre(0));
    QTest::mouseRelease(grid.get(), Qt::LeftButton, {}, centre(2));
    EXPECT_EQ(edit.toPlainText(), "hello world");
    QTest::mousePress(grid.get(), Qt::LeftButton, {}, QPoint(2, 2));  // between cells
    EXPECT_EQ(grid->pressed(), -1);
    QTest::mouseRelease(grid.get(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(edit.toPlainText(), "hello world");
}

TEST_F(GridFixture, MissingPictureShowsTheRedFrameOnly) {
    const QImage shot = grid->grab().toImage();
    if (const char* dir = std::getenv("VUX_SHOT_DIR")) shot.save(QString(dir) + "/emoticon_grid.png");
    const QRect with = orbel_emoticon_cell(300, 0), without = orbel_emoticon_cell(300, 1);
    EXPECT_EQ(shot.pixelColor(with.center()), QColor(0, 200, 0));
    EXPECT_EQ(shot.pixelColor(with.left() - 1, with.top() - 1), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(without.center()), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(without.left() - 1, without.top() + 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(without.right() + 1, without.bottom() + 1), QColor(Qt::red));
}

TEST(EmoticonList, ListWithoutCodesIsAnEmptyGrid) {
    orbel_test_app();
    fake_source source;
    source.list = "no codes here";
    QPlainTextEdit edit;
    orbel_emoticon_list grid(&source, &edit);
    grid.resize(100, 50);
    EXPECT_EQ(grid.count(), 0);
    EXPECT_EQ(grid.cell_at(orbel_emoticon_cell(100, 0).center()), -1);
}

}  // namespace
