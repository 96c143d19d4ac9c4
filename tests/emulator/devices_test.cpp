#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "client/orbel_test_support.h"
#include "emulator/orbel_client_device_dialogs.h"
#include "emulator/orbel_client_input.h"
#include "fake_engine.h"
#include "fake_media.h"
#include "gui/orbel_emoticon_list.h"

namespace {

// A client window with its device facilities, media in a folder of its own.
struct client_fixture {
    orbel_test_ui ui;
    QTemporaryDir dir;
    QWidget client;
    vux_engine* engine = vux_engine_create();
    QByteArray blob;
    std::unique_ptr<orbel_client_device_dialogs> devices;
    client_fixture() {
        client.resize(314, 474);
        client.show();
        orbel_client_devices_context context = devices_context(dir.path());
        context.engine = [this] { return engine; };
        context.image_blob = [this] { return blob; };
        devices = std::make_unique<orbel_client_device_dialogs>(&client, std::move(context));
    }
    ~client_fixture() {
        devices.reset();
        vux_engine_destroy(engine);
    }
};

// Every answer of one request, as it arrives.
template <class T>
struct answers {
    std::vector<std::optional<T>> got;
    auto done() {
        return [this](std::optional<T> v) { got.push_back(std::move(v)); };
    }
};

TEST(EngineEmoticons, CodesAreFreedAndPicturesCopiedOrResolvedInTheBlob) {
    orbel_test_app();
    vux_engine* e = vux_engine_create();
    const QByteArray red = orbel_test_png(24, 24, Qt::red), green = orbel_test_png(24, 24, Qt::green);
    const QByteArray blob = "pad." + green;
    const QString at = QString("%1%2").arg(4, 8, 16, QChar('0')).arg(green.size(), 8, 16, QChar('0'));
    const QString beyond = QString("%1%2").arg(4, 8, 16, QChar('0')).arg(green.size() + 1, 8, 16, QChar('0'));
    e->variables["__key_emoticon"] = "[a][b][c]";
    e->data["em000.png"] = red.toStdString();
    e->data_texts["em001.png"] = at.toStdString();
    e->data_texts["em002.png"] = beyond.toStdString();

    orbel_engine_emoticon_source source(e, blob);
    EXPECT_EQ(source.codes(), "[a][b][c]");
    const QByteArray first = source.picture("em000.png");
    EXPECT_EQ(source.picture("em001.png"), green);
    EXPECT_EQ(first, red);                               // kept, though the engine has handed out other bytes since
    EXPECT_TRUE(source.picture("em002.png").isEmpty());  // a reference past the blob's end
    EXPECT_TRUE(source.picture("em003.png").isEmpty());
    EXPECT_TRUE(orbel_engine_emoticon_source(nullptr, blob).codes().empty());
    vux_engine_destroy(e);
}

TEST(TextInput, AnswersOnceAndNeverAfterClose) {
    client_fixture f;
    f.engine->variables["__key_emoticon"] = "[a][b]";
    answers<QString> a;
    f.devices->open_text_input(false, 0, "[e01]标题", "one\r\ntwo", a.done());
    auto* dialog = dynamic_cast<orbel_client_input*>(f.devices->text_dialog());
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->has_grid());
    EXPECT_EQ(dialog->windowTitle(), "标题");
    EXPECT_EQ(fake_count(*f.engine, "get_variable __key_emoticon"), 1);
    auto* edit = dialog->findChild<QPlainTextEdit*>("1038");
    edit->appendPlainText("three");
    edit->moveCursor(QTextCursor::End);
    orbel_emoticon_list* grid = nullptr;  // no Q_OBJECT: findChild cannot tell it apart
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if (auto* g = dynamic_cast<orbel_emoticon_list*>(w)) grid = g;
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->count(), 2);
    const QPoint cell = orbel_emoticon_cell(grid->width(), 1).center();
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell);
    dialog->findChild<QPushButton*>("1")->click();
    ASSERT_EQ(a.got.size(), 1u);
    EXPECT_EQ(a.got[0], "one\r\ntwo\r\nthree[b]");
    EXPECT_EQ(f.devices->text_dialog(), nullptr);
    EXPECT_FALSE(f.devices->close_text_input());

    // Cancel answers nothing; close, and a second open, end a dialog unanswered.
    answers<QString> cancelled, closed, replaced;
    f.devices->open_text_input(true, 0, "t", "", cancelled.done());
    f.devices->text_dialog()->findChild<QPushButton*>("2")->click();
    f.devices->open_text_input(true, 0, "t", "", closed.done());
    QPointer<QDialog> old = f.devices->text_dialog();
    EXPECT_TRUE(f.devices->close_text_input());
    EXPECT_EQ(f.devices->text_dialog(), nullptr);
    f.devices->open_text_input(true, 0, "t", "", replaced.done());
    f.devices->open_text_input(true, 0, "t", "", a.done());
    EXPECT_TRUE(ORBEL_WAIT(old.isNull()));
    EXPECT_EQ(cancelled.got, std::vector<std::optional<QString>>{std::nullopt});
    EXPECT_TRUE(closed.got.empty());
    EXPECT_TRUE(replaced.got.empty());
    EXPECT_EQ(a.got.size(), 1u);
    f.devices.reset();  // with a dialog open: no answer comes later
    QTest::qWait(0);
    EXPECT_EQ(a.got.size(), 1u);
}

TEST(Photo, ChosenPictureComesBackAsJpegAndCloseAnswersNothing) {
    client_fixture f;
    const QString png = f.dir.filePath("big.png");
    QFile file(png);
    file.open(QIODevice::WriteOnly);
    file.write(orbel_test_png(1280, 960, Qt::blue, QImage::Format_RGB32));
    file.close();

    answers<QByteArray> a;
    f.devices->open_capture("photo", a.done());
    auto* chooser = qobject_cast<QFileDialog*>(f.devices->capture_dialog());
    ASSERT_TRUE(chooser);
    EXPECT_EQ(chooser->windowTitle(), "上传图片");
    chooser->selectFile(png);
    QMetaObject::invokeMethod(chooser, "accept");
    ASSERT_EQ(a.got.size(), 1u);
    ASSERT_TRUE(a.got[0]);
    EXPECT_EQ(QImage::fromData(*a.got[0], "JPEG").size(), QSize(640, 480));

    answers<QByteArray> cancelled, closed;
    f.devices->open_capture("photo", cancelled.done());
    f.devices->capture_dialog()->reject();
    f.devices->open_capture("photo", closed.done());
    EXPECT_TRUE(f.devices->close_capture());
    EXPECT_FALSE(f.devices->close_capture());
    answers<QByteArray> unknown;
    f.devices->open_capture("video", unknown.done());
    QTest::qWait(0);
    EXPECT_EQ(cancelled.got, std::vector<std::optional<QByteArray>>{std::nullopt});
    EXPECT_TRUE(closed.got.empty());
    EXPECT_TRUE(unknown.got.empty());
    EXPECT_EQ(a.got.size(), 1u);
}

TEST(LocationDevice, PrefilledAndAnsweredOnOkOnly) {
    client_fixture f;
    orbel_test_clear_settings();
    answers<std::pair<QString, QString>> a, cancelled;
    f.devices->request_location("1.5", "2.5", a.done());
    QDialog* dialog = f.devices->location_dialog();
    ASSERT_TRUE(dialog);
    auto* latitude = dialog->findChild<QLineEdit*>("1054");
    EXPECT_EQ(latitude->text(), "1.5");
    latitude->clear();
    dialog->findChild<QPushButton*>("1")->click();
    EXPECT_TRUE(a.got.empty());  // an empty field keeps the dialog open
    latitude->setText("39.9");
    dialog->findChild<QPushButton*>("1")->click();
    ASSERT_EQ(a.got.size(), 1u);
    EXPECT_EQ(a.got[0], std::pair(QString("39.9"), QString("2.5")));

    f.devices->request_location("1", "2", cancelled.done());
    f.devices->location_dialog()->reject();
    ASSERT_EQ(cancelled.got.size(), 1u);
    EXPECT_FALSE(cancelled.got[0]);
}

TEST(BusyDevice, ShownCentredAdvancedAndHidden) {
    client_fixture f;
    EXPECT_FALSE(f.devices->busy_visible());
    f.devices->busy_show();
    f.devices->busy_advance(2, 40);
    EXPECT_TRUE(f.devices->busy_visible());
    EXPECT_EQ(f.devices->waiter().geometry(), QRect(117, 197, 80, 80));
    EXPECT_EQ(f.devices->waiter().waiter().mode(), 2);
    EXPECT_EQ(f.devices->waiter().waiter().value(), 40);
    f.devices->busy_advance(1, 0);
    EXPECT_TRUE(f.devices->waiter().spinner_timer().isActive());
    f.devices->busy_hide();
    EXPECT_FALSE(f.devices->busy_visible());
    EXPECT_FALSE(f.devices->waiter().spinner_timer().isActive());
}

}  // namespace
