#include "emulator/orbel_emulator.h"

#include "client/manager/orbel_emulator_factory.h"
#include "client/orbel_test_support.h"
#include "emulator/vux_le_resolve_resource_ref.h"
#include "fake_devices.h"
#include "fake_engine.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

QApplication& app = orbel_test_app();

orbel_client_setup test_setup() {
    orbel_client_setup setup;
    setup.document = QByteArray("DOC");
    setup.devices = [](QWidget*) { return std::make_unique<fake_devices>(); };
    return setup;
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

TEST(EmulatorArt, the_phone_picture_is_a_frame_on_transparency) {
    const QImage skin = orbel_emulator_skin();
    ASSERT_FALSE(skin.isNull());
    EXPECT_EQ(skin.size(), QSize(700, 820));
    EXPECT_GE(skin.width(), 508);
    EXPECT_GE(skin.height(), 734);
    EXPECT_TRUE(skin.hasAlphaChannel());
    EXPECT_EQ(qAlpha(skin.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(skin.pixel(699, 819)), 0);
    EXPECT_EQ(qAlpha(skin.pixel(350, 703)), 255);  // the button
    EXPECT_EQ(qAlpha(skin.pixel(170, 400)), 255);  // the body beside the screen
}

TEST(EmulatorArt, every_texture_of_the_blob_index_resolves_to_a_picture) {
    QFile index(QStringLiteral(ORBEL_EMULATOR_ART_DIR "/208.index"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QByteArray blob = orbel_client_default_setup().blob;
    ASSERT_FALSE(blob.isEmpty());
    QStringList names;
    qsizetype covered = 0;
    for (const QByteArray& line : index.readAll().split('\n')) {
        if (line.isEmpty()) continue;
        const QList<QByteArray> parts = line.split(' ');
        ASSERT_EQ(parts.size(), 2) << line.constData();
        ASSERT_EQ(parts[1].size(), 16) << line.constData();
        const vux_le_blob_piece piece = vux_le_resolve_resource_ref(
            parts[1].toStdString(), reinterpret_cast<const uint8_t*>(blob.constData()), size_t(blob.size()));
        ASSERT_NE(piece.bytes, nullptr) << line.constData();
        const QImage image = QImage::fromData(piece.bytes, int(piece.size), "PNG");
        EXPECT_FALSE(image.isNull()) << line.constData();
        names << QString::fromLatin1(parts[0]);
        covered += qsizetype(piece.size);
    }
    EXPECT_EQ(covered, blob.size());  // back to back, nothing else
    for (const char* name : {"__texture_titlebar", "__texture_commandbar", "__texture_dialog", "__texture_menu",
                             "__texture_scrollbar_vertical", "__texture_progress"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
    for (int n = 0; n < 24; ++n) {
        const QImage em(QStringLiteral(ORBEL_EMULATOR_ART_DIR "/emoticons/em%1.png").arg(n, 3, 10, QChar(u'0')));
        EXPECT_EQ(em.size(), QSize(24, 24)) << n;
    }
}

TEST(EmulatorArt, the_document_records_pair_each_texture_and_carry_each_emoticon) {
    QFile index_file(QStringLiteral(ORBEL_EMULATOR_ART_DIR "/208.index"));
    QFile records_file(QStringLiteral(ORBEL_EMULATOR_ART_DIR "/records.json"));
    ASSERT_TRUE(index_file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(records_file.open(QIODevice::ReadOnly));
    QStringList from_index;
    for (const QByteArray& line : index_file.readAll().split('\n'))
        if (!line.isEmpty())
            from_index << QString::fromLatin1(line.split(' ')[0]) << QString::fromLatin1(line.split(' ')[1]);
    const QJsonArray records = QJsonDocument::fromJson(records_file.readAll()).object().value("records").toArray();
    ASSERT_EQ(records.size(), 25);
    const QJsonObject pairs = records[0].toObject();
    EXPECT_EQ(pairs.value("type").toInt(), 1014);
    QStringList paired;
    for (const QJsonValue& v : pairs.value("fields").toObject().value("pairs").toArray()) paired << v.toString();
    EXPECT_EQ(paired, from_index);
    for (int n = 0; n < 24; ++n) {
        const QJsonObject data = records[n + 1].toObject();
        EXPECT_EQ(data.value("type").toInt(), 1003);
        const QJsonObject fields = data.value("fields").toObject();
        EXPECT_EQ(fields.value("name").toString(), QStringLiteral("em%1.png").arg(n, 3, 10, QChar(u'0')));
        EXPECT_EQ(fields.value("flags").toInt() & 1, 1);  // drawable from its own bytes
        EXPECT_EQ(fields.value("format").toInt(), 2);
        const QImage em = QImage::fromData(QByteArray::fromHex(fields.value("bytes").toString().toLatin1()), "PNG");
        EXPECT_EQ(em.size(), QSize(24, 24)) << n;
    }
}

TEST(EmulatorWindow, frameless_translucent_centred_with_the_client_over_the_screen) {
    orbel_test_clear_settings();
    orbel_emulator frame(test_setup());
    ASSERT_TRUE(frame.load_skin());
    EXPECT_TRUE(frame.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(frame.size(), QSize(700, 820));
    // shaped by the picture: the corners lie outside, the button inside
    EXPECT_FALSE(frame.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(frame.mask().contains(QPoint(350, 703)));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(frame.pos(), QPoint(screen.x() + (screen.width() - 700) / 2, screen.y() + (screen.height() - 820) / 2));
    ASSERT_NE(frame.client(), nullptr);
    EXPECT_EQ(frame.client()->parentWidget(), &frame);
    EXPECT_EQ(frame.client()->geometry(), QRect(193, 172, 314, 474));
    EXPECT_TRUE(frame.client()->started());
}

TEST(EmulatorWindow, the_button_hides_a_press_elsewhere_drags_and_escape_hides) {
    orbel_test_clear_settings();
    orbel_emulator frame(test_setup());
    ASSERT_TRUE(frame.load_skin());
    frame.show();
    // cursor: hand on the frame, arrow over the button
    EXPECT_EQ(frame.cursor().shape(), Qt::PointingHandCursor);
    mouse(&frame, QEvent::MouseMove, {350, 700});
    EXPECT_EQ(frame.cursor().shape(), Qt::ArrowCursor);
    mouse(&frame, QEvent::MouseMove, {60, 60});
    EXPECT_EQ(frame.cursor().shape(), Qt::PointingHandCursor);
    mouse(&frame, QEvent::MouseMove, {380, 733});  // right and bottom edges lie outside
    EXPECT_EQ(frame.cursor().shape(), Qt::PointingHandCursor);

    // pressed in the button, released outside: stays
    mouse(&frame, QEvent::MouseButtonPress, {330, 680}, Qt::LeftButton);
    mouse(&frame, QEvent::MouseButtonRelease, {300, 600});
    EXPECT_TRUE(frame.isVisible());

    // a press elsewhere drags the frame
    const QPoint before = frame.pos();
    mouse(&frame, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    mouse(&frame, QEvent::MouseMove, {130, 90}, Qt::LeftButton);
    mouse(&frame, QEvent::MouseButtonRelease, {130, 90});
    EXPECT_EQ(frame.pos(), before + QPoint(30, -10));
    EXPECT_TRUE(frame.isVisible());

    // press and release in the button hide the frame, client with it
    mouse(&frame, QEvent::MouseButtonPress, {321, 674}, Qt::LeftButton);
    mouse(&frame, QEvent::MouseButtonRelease, {379, 732});
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.client()->isVisible());

    // Escape on the frame hides it; on the phone's screen it is the
    // document's back key and the phone stays
    vux_engine* e = fake_last_engine;
    ASSERT_NE(e, nullptr);
    frame.show();
    e->calls.clear();
    QKeyEvent on_screen(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.client(), &on_screen);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(fake_count(*e, "key 7"), 1);
    QKeyEvent on_frame(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &on_frame);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.client()->isVisible());
}

// The site selected in the site manager follows the desktop session's text;
// a new one once the document ran starts it again, so the phone enters anew,
// and so does showing the phone again while a site is selected.
TEST(EmulatorWindow, the_selected_site_names_itself_after_the_session_text) {
    orbel_test_clear_settings();
    orbel_client_setup setup = test_setup();
    setup.session_text = QStringLiteral("demo@quellmark.com");
    orbel_emulator frame(std::move(setup));
    ASSERT_TRUE(frame.load_skin());
    vux_engine* e = fake_last_engine;
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(frame.client()->identity(), QStringLiteral("demo@quellmark.com"));
    const int started = fake_count(*e, "start_document");
    frame.setProperty(orbel_emulator_site_property, QStringLiteral("q0000102"));
    EXPECT_EQ(frame.client()->identity(), QStringLiteral("demo@quellmark.com q0000102"));
    QCoreApplication::processEvents();
    EXPECT_EQ(fake_count(*e, "start_document"), started);  // not connected yet: its enter carries the new text
    frame.client()->start_timer(100);
    ASSERT_TRUE(ORBEL_WAIT(fake_count(*e, "tick") > 0));
    frame.client()->stop_timer();
    frame.setProperty(orbel_emulator_site_property, QString());
    EXPECT_EQ(frame.client()->identity(), QStringLiteral("demo@quellmark.com"));
    EXPECT_TRUE(ORBEL_WAIT(fake_count(*e, "start_document") == started + 1));
    frame.setProperty(orbel_emulator_site_property, QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(fake_count(*e, "start_document"), started + 1);  // the same site again changes nothing

    // Shown again as the site manager does it: the property, then show.
    const auto show_again = [&](const QString& key) {
        frame.hide();
        e->calls.clear();
        frame.client()->start_timer(100);  // connected: the document has ticked
        ASSERT_TRUE(ORBEL_WAIT(fake_count(*e, "tick") > 0));
        frame.client()->stop_timer();
        e->calls.clear();
        frame.setProperty(orbel_emulator_site_property, key);
        frame.show();
        QCoreApplication::processEvents();
    };
    const struct {
        const char* key;
        int starts;  // the document's fresh starts
    } shows[] = {
        {"", 0},          // no site: the phone stays on its page
        {"q0000101", 1},  // a new site: once, not once for the site and once for the show
        {"q0000101", 1},  // the same site again: its page anew
        {"", 1},          // the site no longer selected: the home page anew
        {"", 0},
    };
    for (const auto& s : shows) {
        show_again(QString::fromLatin1(s.key));
        EXPECT_EQ(fake_count(*e, "start_document"), s.starts) << s.key;
    }
}

// The keyboard as a user meets it, through the window system: the screen
// has the focus once the phone is shown (as the site manager shows it) and
// after a click on it, and Escape there is the phone's back key; a click on
// the frame takes the focus, and Escape then hides the phone.
TEST(EmulatorWindow, escape_goes_back_on_the_screen_and_hides_from_the_frame) {
    orbel_test_clear_settings();
    orbel_emulator frame(test_setup());
    ASSERT_TRUE(frame.load_skin());
    vux_engine* e = fake_last_engine;
    ASSERT_NE(e, nullptr);
    frame.show();
    frame.raise();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    const struct {
        const char* what;
        QWidget* clicked;  // null: nothing clicked since shown
        QPoint at;
        bool hides;
    } rows[] = {
        {"just shown", nullptr, {}, false},
        {"the screen clicked", frame.client(), {150, 300}, false},
        {"the frame clicked", &frame, {100, 400}, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        if (r.clicked) QTest::mouseClick(r.clicked, Qt::LeftButton, Qt::NoModifier, r.at);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus, r.hides ? static_cast<QWidget*>(&frame) : frame.client());
        e->calls.clear();
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_EQ(frame.isVisible(), !r.hides);
        EXPECT_EQ(fake_count(*e, "key 7"), r.hides ? 0 : 1);
    }
}

TEST(EmulatorWindow, keys_on_the_focused_frame_reach_the_engine) {
    orbel_test_clear_settings();
    orbel_emulator frame(test_setup());
    ASSERT_TRUE(frame.load_skin());
    vux_engine* e = fake_last_engine;
    ASSERT_NE(e, nullptr);
    e->calls.clear();
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_A}) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &press);
    }
    std::vector<std::string> keys;
    for (const std::string& c : e->calls)
        if (c.rfind("key ", 0) == 0) keys.push_back(c);
    EXPECT_EQ(keys, (std::vector<std::string>{"key 6", "key 5"}));
}

TEST(EmulatorWindow, the_program_factory_makes_a_skinned_frame_owned_by_the_site_manager) {
    orbel_test_clear_settings();
    orbel_set_emulator_factory(orbel_emulator_make);
    ASSERT_TRUE(orbel_get_emulator_factory());
    QWidget owner;
    std::unique_ptr<QWidget> frame = orbel_get_emulator_factory()(&owner, QString());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isWindow());
    EXPECT_EQ(frame->parentWidget(), &owner);
    EXPECT_EQ(frame->size(), QSize(700, 820));
    auto* emulator = dynamic_cast<orbel_emulator*>(frame.get());
    ASSERT_NE(emulator, nullptr);
    EXPECT_TRUE(emulator->client()->started());
    // a tool window of its owner's window, so it stays above it
    EXPECT_EQ(frame->windowType(), Qt::Tool);
    owner.show();
    frame->show();
    ASSERT_NE(frame->windowHandle(), nullptr);
    EXPECT_EQ(frame->windowHandle()->transientParent(), owner.windowHandle());
    frame.reset();  // the owner outlives the frame without harm
    orbel_set_emulator_factory({});
    EXPECT_FALSE(orbel_get_emulator_factory());
}

}  // namespace
