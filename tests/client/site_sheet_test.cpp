// The site sheet and the home-page editor as windows: the setup check that
// keeps its page, keys that must not end the sheet, the wizard's path, the
// picture controls and the home page's buttons.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QWizard>

#include "client/controls/orbel_static_picture.h"
#include "client/sheet/orbel_homepage.h"
#include "client/sheet/orbel_site_sheet.h"
#include "client/sheet/orbel_site_type.h"
#include "gui/orbel_settings.h"
#include "orbel_test_support.h"

namespace {

vux_desktop_site named_site() {
    vux_desktop_site s;
    s.name = "Demo";
    s.activation_number = "13800000000";
    s.columns = 0x2;
    return s;
}

template <class T = QLineEdit>
T* control(QWidget* page, const char* id) {
    T* w = page->findChild<T*>(QLatin1String(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

QString file_with(QTemporaryFile& f, const QByteArray& bytes) {
    f.open();
    f.write(bytes);
    f.close();
    return f.fileName();
}

class SiteSheetTest : public ::testing::Test {
protected:
    void SetUp() override { orbel_test_clear_settings(); }
    // Shows the sheet's window and makes it the active one, so the focus
    // can be looked at.
    void show(QWidget* w) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    orbel_test_ui ui;
};

TEST_F(SiteSheetTest, setup_check_keeps_its_page_with_the_focus) {
    const vux_desktop_site site = named_site();
    orbel_site_sheet sheet(nullptr, QStringLiteral("管理名"), "k1", site, nullptr, false);
    ASSERT_FALSE(sheet.is_wizard());
    QDialog* w = sheet.window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("管理名"));
    show(w);
    auto* tabs = w->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 3);  // no type page outside new-site mode
    auto* title = control(sheet.setup(), "1030");
    auto* number = control(sheet.setup(), "1024");

    // Leaving the page with an empty number.
    number->clear();
    tabs->setCurrentWidget(sheet.share());
    ASSERT_EQ(ui.messages, QStringList{QStringLiteral("激活手机号不能为空!")});
    EXPECT_EQ(tabs->currentWidget(), sheet.setup());
    EXPECT_TRUE(number->hasFocus());

    number->setText("12345");
    control<QPushButton>(w, "1")->click();
    EXPECT_EQ(ui.messages.last(), QStringLiteral("请输入一个合法的激活手机号!"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(number->hasFocus());

    number->setText("13900000000");
    title->setText("  ");
    tabs->setCurrentWidget(sheet.column());
    EXPECT_EQ(ui.messages.last(), QStringLiteral("显示标题不能为空!"));
    EXPECT_EQ(tabs->currentWidget(), sheet.setup());
    EXPECT_TRUE(title->hasFocus());

    // Enter and Esc end nothing, from an edit or from the dialog.
    title->setText("New");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(title, key);
        QTest::keyClick(w, key);
    }
    EXPECT_TRUE(w->isVisible());
    const int shown = int(ui.messages.size());
    tabs->setCurrentWidget(sheet.column());
    EXPECT_EQ(tabs->currentWidget(), sheet.column());
    control<QPushButton>(w, "1")->click();
    EXPECT_EQ(ui.messages.size(), shown);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const auto update = sheet.collect_update();
    EXPECT_EQ(update->change_mask, 0x40 | 0x1000 | 0x80000);
    // The changed number is the profile's telephone from now on.
    EXPECT_EQ(orbel_read_setting_text(orbel_key_telephone), QStringLiteral("13900000000"));
}

TEST_F(SiteSheetTest, wizard_of_a_new_site_checks_setup_then_takes_a_preset) {
    const vux_desktop_site fresh;
    orbel_site_sheet sheet(nullptr, QStringLiteral("新站"), "k2", fresh, nullptr, true);
    ASSERT_TRUE(sheet.is_wizard());
    auto* wizard = qobject_cast<QWizard*>(sheet.window());
    ASSERT_NE(wizard, nullptr);
    show(wizard);
    auto* next = control<QPushButton>(wizard, "12324");
    EXPECT_FALSE(control<QPushButton>(wizard, "12323")->isVisible());  // no Back on the first page
    EXPECT_TRUE(next->isVisible());
    next->click();
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("显示标题不能为空!")});
    EXPECT_EQ(wizard->currentId(), 0);
    EXPECT_TRUE(control(sheet.setup(), "1030")->hasFocus());

    control(sheet.setup(), "1030")->setText(QStringLiteral("跑团"));
    control(sheet.setup(), "1024")->setText("13800000000");
    QTest::keyClick(control(sheet.setup(), "1024"), Qt::Key_Return);  // Enter is not Next
    EXPECT_EQ(wizard->currentId(), 0);
    next->click();
    ASSERT_EQ(wizard->currentPage()->findChild<orbel_site_type*>(), sheet.type());
    control<QPushButton>(sheet.type(), "1115")->click();  // "大型商家" moves on
    ASSERT_EQ(wizard->currentPage()->findChild<orbel_site_column*>(), sheet.column());
    EXPECT_TRUE(control<QCheckBox>(sheet.column(), "1096")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(sheet.column(), "1022")->isChecked());
    EXPECT_TRUE(control<QPushButton>(wizard, "12323")->isVisible());
    next->click();
    ASSERT_EQ(wizard->currentPage()->findChild<orbel_site_share*>(), sheet.share());
    EXPECT_TRUE(control<QCheckBox>(sheet.share(), "1041")->isChecked());
    auto* finish = control<QPushButton>(wizard, "12325");
    ASSERT_TRUE(finish->isVisible());
    finish->click();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    const auto update = sheet.collect_update();
    EXPECT_EQ(update->change_mask, 0x2 | 0x20 | 0x40 | 0x1000 | 0x80000);
    EXPECT_EQ(update->columns, 0x1 | 0x2 | 0x8);
    EXPECT_EQ(update->options, 0x8 | 0x20);
}

TEST_F(SiteSheetTest, copy_of_a_site_sends_its_values_and_contacts_anew) {
    vux_desktop_site source = named_site();
    source.activated = 1;
    source.brush.opacity = 10;
    source.members.append_entry(u"甲", "0123456789abcdef0123456789abcdef", "138****0001");
    source.members.append_entry(u"乙", "fedcba9876543210fedcba9876543210", "138****0002");
    source.managers.append_entry(u"丙", "00112233445566778899aabbccddeeff", "138****0003");
    for (int32_t i = 0; i < 2; ++i) source.members.set_state(i, 0);  // as the service holds them
    const vux_desktop_site fresh;                                    // the site just created
    orbel_site_sheet sheet(nullptr, "copy", "k3", fresh, &source, true);
    EXPECT_TRUE(sheet.is_wizard());
    EXPECT_EQ(sheet.type(), nullptr);  // a copy is not set up from a preset
    EXPECT_TRUE(control<QLabel>(sheet.setup(), "1032")->text().isEmpty());
    const auto update = sheet.collect_update();
    EXPECT_EQ(update->change_mask, 0x20 | 0x40 | 0x1000 | 0x80000 | 0x100000 | 0x200000);
    EXPECT_EQ(update->name.str(), "Demo");
    EXPECT_EQ(update->brush.opacity, 10);
    ASSERT_EQ(update->members.entry_count(), 2);
    EXPECT_EQ(update->members.state_of(0), 1);  // sent as new entries
    EXPECT_EQ(update->managers.entry_count(), 1);
    EXPECT_EQ(update->waiters.entry_count(), 0);
}

TEST_F(SiteSheetTest, tray_picture_controls_tray_only) {
    const vux_desktop_site site = named_site();
    orbel_site_sheet sheet(nullptr, "m", "k1", site, nullptr, false);
    orbel_site_setup* setup = sheet.setup();
    auto* tray_only = control<QCheckBox>(setup, "1110");
    auto* tray = control<orbel_static_picture>(setup, "1108");
    EXPECT_FALSE(tray_only->isEnabled());  // no tray picture yet

    QTemporaryFile good, broken, empty;
    ui.file_names = {file_with(good, orbel_test_png(720, 320, Qt::blue)),
                     // A PNG signature over bytes that decode to nothing.
                     file_with(broken, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x')), file_with(empty, {})};
    control<QPushButton>(setup, "1109")->click();
    EXPECT_EQ(ui.titles.last(), QStringLiteral("自定义托盘"));
    EXPECT_EQ(ui.filters.last(), QStringLiteral("托盘文件(*.jpg *.png)"));
    const QByteArray chosen = tray->bytes();
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(QImage::fromData(chosen).size(), QSize(360, 160));
    EXPECT_TRUE(tray_only->isEnabled());
    tray_only->click();

    control<QPushButton>(setup, "1109")->click();  // the broken one: kept the picture
    EXPECT_EQ(ui.messages.last(), QStringLiteral("不支持的托盘文件格式!"));
    EXPECT_EQ(tray->bytes(), chosen);
    control<QPushButton>(setup, "1109")->click();
    EXPECT_EQ(ui.messages.last(), QStringLiteral("托盘文件不能为空!"));
    EXPECT_EQ(tray->bytes(), chosen);
    EXPECT_TRUE(tray_only->isChecked());

    control<QPushButton>(setup, "1106")->click();
    EXPECT_TRUE(tray->bytes().isEmpty());
    EXPECT_FALSE(tray_only->isChecked());
    EXPECT_FALSE(tray_only->isEnabled());
}

TEST_F(SiteSheetTest, column_page_controls) {
    vux_desktop_site site = named_site();
    site.options = 0x80;  // pinned
    orbel_site_sheet sheet(nullptr, "m", "k1", site, nullptr, false);
    auto* pinned = control<QCheckBox>(sheet.setup(), "1098");
    EXPECT_TRUE(pinned->isChecked());
    EXPECT_FALSE(pinned->isEnabled());
    EXPECT_FALSE(control<QComboBox>(sheet.setup(), "1099")->isEnabled());

    orbel_site_column* column = sheet.column();
    for (const char* hidden : {"1081", "1102", "1080", "1101", "1023", "1103", "1024", "1104", "1025", "1105", "1063"})
        EXPECT_TRUE(column->findChild<QWidget*>(QLatin1String(hidden))->isHidden()) << hidden;
    auto* slider = control<QSlider>(column, "1099");
    auto* label = control<QLabel>(column, "1100");
    const std::pair<int, const char16_t*> shown[] = {{0, u"全透明"}, {37, u"37%"}, {100, u"不透明"}};
    for (const auto& [value, text] : shown) {
        slider->setValue(value);
        EXPECT_EQ(label->text(), QString::fromUtf16(text));
    }
    control<QCheckBox>(column, "1093")->click();
    EXPECT_TRUE(control<QCheckBox>(column, "1022")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(column, "1064")->isChecked());
    control<QCheckBox>(column, "1022")->click();
    EXPECT_FALSE(control<QCheckBox>(column, "1093")->isChecked());

    control<QCheckBox>(sheet.share(), "1051")->click();
    EXPECT_TRUE(control<QCheckBox>(sheet.share(), "1041")->isChecked());
    EXPECT_TRUE(sheet.share()->findChild<QWidget*>("1011")->isHidden());
}

TEST_F(SiteSheetTest, home_page_buttons) {
    vux_desktop_site site;
    orbel_homepage editor(QStringLiteral("河畔"), site);
    EXPECT_EQ(editor.objectName(), "138");
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("主页 - 河畔"));
    auto* test_page = control<QPushButton>(&editor, "1028");
    auto* map = control<QPushButton>(&editor, "1067");
    EXPECT_FALSE(test_page->isEnabled());
    EXPECT_FALSE(map->isEnabled());

    control(&editor, "1031")->setText("javascript:alert(1)");
    ASSERT_TRUE(test_page->isEnabled());
    test_page->click();
    EXPECT_TRUE(ui.urls.isEmpty());
    control(&editor, "1031")->setText("example.com");
    test_page->click();
    ASSERT_EQ(ui.urls.size(), 1);
    EXPECT_EQ(ui.urls.last(), QUrl("http://example.com"));

    control(&editor, "1053")->setText("116.4");
    EXPECT_FALSE(map->isEnabled());  // one coordinate is no position
    control(&editor, "1054")->setText("39.9");
    ASSERT_TRUE(map->isEnabled());
    map->click();
    EXPECT_EQ(ui.urls.last().query(), QStringLiteral("hl=zh&mrt=loc&q=39.9,116.4"));
    control(&editor, "1053")->setText("200");
    map->click();  // a bad coordinate opens nothing
    EXPECT_EQ(ui.urls.size(), 2);
    // Pages the browser cannot open are named in a message.
    control(&editor, "1053")->setText("116.4");
    ui.urls_open = false;
    ui.messages.clear();
    test_page->click();
    map->click();
    EXPECT_EQ(ui.messages, QStringList({orbel_web_page_failed_text(QUrl("http://example.com")),
                                        orbel_web_page_failed_text(ui.urls.last())}));
    EXPECT_TRUE(ui.messages.last().contains(QStringLiteral("q=39.9,116.4")));
    ui.urls_open = true;
    control(&editor, "1053")->setText("200");

    // "按地址检索" starts the lookup from the address typed here.
    control(&editor, "1066")->setText(QStringLiteral("北京"));
    QString looked_up;
    QTimer::singleShot(0, [&] {
        QWidget* lookup = QApplication::activeModalWidget();
        ASSERT_NE(lookup, nullptr);
        EXPECT_EQ(lookup->objectName(), "122");
        looked_up = control(lookup, "1038")->text();
        control<QPushButton>(lookup, "2")->click();
    });
    control<QPushButton>(&editor, "1051")->click();
    EXPECT_EQ(looked_up, QStringLiteral("北京"));
    control(&editor, "1066")->clear();

    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    control<QPushButton>(&editor, "1")->click();
    EXPECT_EQ(ui.messages.last(), QStringLiteral("经度数据超出范围！"));
    EXPECT_TRUE(control(&editor, "1053")->hasFocus());
    control(&editor, "1053")->setText("116.4");
    control(&editor, "1054")->setText("-91");
    control<QPushButton>(&editor, "1")->click();
    EXPECT_EQ(ui.messages.last(), QStringLiteral("纬度数据超出范围！"));
    EXPECT_TRUE(control(&editor, "1054")->hasFocus());
    EXPECT_TRUE(editor.isVisible());
    control(&editor, "1054")->setText("39.9");
    control<QPushButton>(&editor, "1")->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
}

}  // namespace
