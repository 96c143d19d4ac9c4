// The custom-picture step shared by the site pages and editors, and the
// colour swatch that opens the colour picker.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>

#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_select_color.h"
#include "client/controls/orbel_static_color.h"
#include "orbel_test_support.h"

namespace {

TEST(CustomPicture, OutcomesOfEveryKindOfFile) {
    orbel_test_ui ui;
    QTemporaryDir dir;
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    const orbel_picture_texts texts{orbel_picture_filter("图片文件"), "设置图片", "empty!", "unsupported!"};
    const QByteArray old_picture("old");
    struct outcome {
        const char* name;
        QString path;
        bool changed;
        QString message;
    } cases[] = {
        {"cancelled", QString(), false, QString()},
        {"missing file", dir.filePath("none.png"), false, QString()},
        {"empty file", write("empty.png", {}), false, "empty!"},
        {"not an image", write("text.png", "hello, this is text"), false, "unsupported!"},
        // A good signature with nothing decodable after it keeps the old picture.
        {"corrupt image", write("bad.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(40, 'x')), false,
         "unsupported!"},
        {"picture", write("good.png", orbel_test_png(200, 100, Qt::green)), true, QString()},
    };
    for (const outcome& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        ui.file_names = QStringList{c.path};
        QByteArray picture = old_picture;
        EXPECT_EQ(orbel_custom_picture(nullptr, texts, {100, 100}, picture), c.changed);
        EXPECT_EQ(ui.titles.last(), "设置图片");
        EXPECT_EQ(ui.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (c.changed) {
            EXPECT_EQ(QImage::fromData(picture, "JPEG").size(), QSize(200, 100));
        } else {
            EXPECT_EQ(picture, old_picture);
        }
    }
}

// Qt's own chooser, given the filter of the client's picture choosers, lists
// the JPEG and PNG files of a folder and nothing else.
TEST(CustomPicture, FilterListsJpegAndPngFiles) {
    orbel_test_app();
    QTemporaryDir dir;
    for (const char* name : {"a.jpg", "b.png", "c.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFileDialog chooser;
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDirectory(dir.path());
    chooser.setNameFilter(orbel_picture_filter(QStringLiteral("图标文件")));
    EXPECT_EQ(chooser.selectedNameFilter(), QStringLiteral("图标文件(*.jpg *.png)"));
    auto* model = chooser.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    auto listed = [&] {
        QStringList names;
        const QModelIndex folder = model->index(dir.path());
        for (int row = 0; row < model->rowCount(folder); ++row) names << model->index(row, 0, folder).data().toString();
        names.sort();
        return names;
    };
    EXPECT_TRUE(ORBEL_WAIT(listed() == QStringList({"a.jpg", "b.png"}))) << listed().join(' ').toStdString();
}

TEST(StaticColor, ClickOpensThePickerAndOkStoresTheChoice) {
    orbel_test_ui ui;
    QWidget window;
    auto* swatch = new orbel_static_color(&window);
    swatch->setGeometry(0, 0, 40, 20);
    swatch->set_color(0x102030);
    EXPECT_EQ(swatch->grab().toImage().pixel(5, 5) & 0xFFFFFF, 0x102030u);
    window.show();
    // Answer the picker through its custom-colour button once it is up.
    ui.color_answer = 0x445566;
    QTimer::singleShot(0, [] {
        if (auto* picker = orbel_test_modal<orbel_select_color>()) picker->findChild<QPushButton*>("1025")->click();
    });
    QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(ui.color_initials, QList<int>{0x102030});
    EXPECT_EQ(swatch->color(), 0x445566);
    // Cancelled: the colour stays.
    QTimer::singleShot(0, [] {
        if (auto* picker = orbel_test_modal<orbel_select_color>()) picker->reject();
    });
    QTest::mouseClick(swatch, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(swatch->color(), 0x445566);
}

}  // namespace
