// The contact sheet, import, SMS and share dialogs on screen (offscreen),
// with the stand-in's own update rules standing in for the service.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWizard>

#include "client/contacts/orbel_add_contact.h"
#include "client/contacts/orbel_add_file.h"
#include "client/contacts/orbel_contact.h"
#include "client/contacts/orbel_contact_page.h"
#include "client/contacts/orbel_share.h"
#include "client/contacts/orbel_sms.h"
#include "client/controls/orbel_list_control.h"
#include "client/controls/orbel_richedit.h"
#include "client/manager/orbel_site_queue.h"
#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_request_sms.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/orbel_contact_key.h"
#include "desktop/orbel_md5.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "desktop/vux_desktop_accept.h"
#include "orbel_test_support.h"
#include "service/quellmark_contact_handlers.h"
#include "service/quellmark_service.h"
#include "service/quellmark_service_state.h"

namespace {

// Runs `act` on the modal dialog of class T once it is up.
template <class T>
void when_up(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (T* dialog = orbel_test_modal<T>()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start(1);
}

template <class T>
T* child(QWidget* parent, const char* id) {
    return parent->findChild<T*>(QLatin1String(id));
}

void shot(QWidget* w, const char* name) {
    if (const char* dir = std::getenv("VUX_SHOT_DIR")) w->grab().save(QString(dir) + "/" + name + ".png");
}

// A contact sheet over one stored site, with an address book of its own.
struct ContactFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(state.load_demo());
        stored = state.find_site("q0000101");
    }
    // Opens the sheet over the stored site, runs `act` on it, presses OK and
    // applies the update as the stand-in does; returns the mask.
    int32_t edit(const std::function<void(orbel_contact&)>& act) {
        orbel_contact sheet(*stored, QStringLiteral("河畔跑团"), remember, nullptr);
        for (orbel_contact_page* page : pages(sheet)) page->set_address_book(book);
        sheet.show();
        act(sheet);
        vux_desktop_site update;
        const int32_t mask = sheet.collect(update);
        last_update = update.duplicate();
        quellmark_apply_contact_update(*stored, update);
        return mask;
    }
    static std::vector<orbel_contact_page*> pages(orbel_contact& sheet) {
        std::vector<orbel_contact_page*> out{sheet.members(), sheet.managers()};
        if (sheet.waiters()) out.push_back(sheet.waiters());
        return out;
    }
    // Adds (name, value) through the add dialog, typed.
    static void type_contact(orbel_contact_page* page, const char* add_id, const QString& name, const QString& value) {
        when_up<orbel_add_contact>([name, value](orbel_add_contact* d) {
            child<QLineEdit>(d, "1023")->setText(name);
            child<QLineEdit>(d, "1024")->setText(value);
            child<QPushButton>(d, "1")->click();
        });
        child<QPushButton>(page, add_id)->click();
    }

    orbel_test_ui ui;
    QTemporaryDir dir;
    orbel_address_book book{dir.filePath(QStringLiteral("vux_ab.txt"))};
    quellmark_service_state state;
    vux_desktop_site* stored = nullptr;
    std::unique_ptr<vux_desktop_site> last_update;
    int32_t remember = 0;
};

TEST_F(ContactFixture, sheet_shows_the_tables_and_a_typed_member_goes_out_and_comes_back) {
    const vux_string key = orbel_md5_hex(vux_string("13911112222"));
    const int32_t mask = edit([&](orbel_contact& sheet) {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("联系人 - 河畔跑团"));
        auto* tabs = sheet.findChild<QTabWidget*>();
        ASSERT_EQ(tabs->count(), 3);  // the site has option 0x4
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("成员"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("服务员"));
        EXPECT_EQ(tabs->tabText(2), QStringLiteral("管理员"));
        auto* list = child<orbel_list_control>(sheet.members(), "1011");
        ASSERT_EQ(list->topLevelItemCount(), 6);
        EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("手机号或邮箱"));
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("138****5678"));
        EXPECT_TRUE(list->topLevelItem(0)->isSelected());
        // Byte 126 picks the icon: rows 0 (1) and 1 (0) differ.
        EXPECT_NE(list->topLevelItem(0)->icon(0).pixmap(16).toImage(),
                  list->topLevelItem(1)->icon(0).pixmap(16).toImage());
        EXPECT_TRUE(child<QPushButton>(sheet.members(), "1007")->isEnabled());
        list->clearSelection();
        EXPECT_FALSE(child<QPushButton>(sheet.members(), "1007")->isEnabled());
        shot(&sheet, "contact_sheet");
        type_contact(sheet.members(), "1027", QStringLiteral(" 新成员 "), QStringLiteral("13911112222"));
        EXPECT_EQ(list->topLevelItemCount(), 7);
    });
    EXPECT_EQ(mask, vux_desktop_site_change::members);
    ASSERT_EQ(last_update->members.entry_count(), 1);
    EXPECT_EQ(last_update->members.key_of(0).str(), key.str());
    EXPECT_EQ(last_update->members.state_of(0), 1);
    EXPECT_EQ(last_update->members.name_of(0).to_utf8_string().str(), "新成员");

    // Reopened: the row is there as the service holds it; deleting it sends 3.
    const int32_t second = edit([&](orbel_contact& sheet) {
        auto* list = child<orbel_list_control>(sheet.members(), "1011");
        ASSERT_EQ(list->topLevelItemCount(), 7);
        EXPECT_EQ(list->topLevelItem(6)->text(1), QStringLiteral("139****2222"));
        list->clearSelection();
        list->topLevelItem(6)->setSelected(true);
        child<QPushButton>(sheet.members(), "1007")->click();
        EXPECT_EQ(list->topLevelItemCount(), 6);
        EXPECT_TRUE(list->topLevelItem(5)->isSelected());
    });
    EXPECT_EQ(second, vux_desktop_site_change::members);
    ASSERT_EQ(last_update->members.entry_count(), 1);
    EXPECT_EQ(last_update->members.state_of(0), 3);
    EXPECT_EQ(stored->members.find_key(key), -1);
    EXPECT_EQ(stored->members.entry_count(), 6);

    // Nothing changed: no bits.
    EXPECT_EQ(edit([](orbel_contact&) {}), 0);
    // Without option 0x4 there is no waiter page.
    stored->options = 0;
    orbel_contact plain(*stored, QStringLiteral("x"), remember, nullptr);
    EXPECT_EQ(plain.findChild<QTabWidget*>()->count(), 2);
    EXPECT_EQ(plain.waiters(), nullptr);
}

TEST_F(ContactFixture, typed_contacts_are_remembered_and_picked_ones_use_the_same_key) {
    remember = 1;
    edit([&](orbel_contact& sheet) {
        type_contact(sheet.managers(), "1056", QStringLiteral("小周"), QStringLiteral("Zhou@Mail.CN"));
    });
    EXPECT_EQ(remember, 1);
    vux_string_list lines;
    ASSERT_TRUE(book.read(lines));
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines.item_at(0).str(), "Zhou@Mail.CN 小周");  // the value as typed
    const vux_string key = orbel_md5_hex(vux_string("zhou@mail.cn"));
    EXPECT_GE(stored->managers.find_key(key), 0);
    EXPECT_EQ(stored->managers.text_of(stored->managers.find_key(key)).str(), "zhou*******");

    // Picked from the book: the same key, so the same name changes nothing.
    const int32_t mask = edit([&](orbel_contact& sheet) {
        when_up<orbel_add_contact>([](orbel_add_contact* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("添加联系人"));
            EXPECT_TRUE(child<QCheckBox>(d, "1015")->isChecked());
            auto* list = child<orbel_list_control>(d, "1011");
            ASSERT_EQ(list->topLevelItemCount(), 1);
            list->topLevelItem(0)->setSelected(true);
            EXPECT_EQ(child<QLineEdit>(d, "1024")->text(), QStringLiteral("Zhou@Mail.CN"));
            child<QCheckBox>(d, "1015")->setChecked(false);
            shot(d, "add_contact");
            child<QPushButton>(d, "1025")->click();
        });
        child<QPushButton>(sheet.managers(), "1056")->click();
    });
    EXPECT_EQ(mask, 0);
    EXPECT_EQ(remember, 0);  // the box's value goes back to the flag
}

TEST(AddContactRules, ok_needs_a_name_and_a_value_of_a_known_form) {
    struct row {
        int selected;
        const char* name;
        const char* value;
        bool ok;
    } rows[] = {
        {0, "张三", "13812345678", true},
        {1, "张三", "a@b.cn", true},
        {0, "张三", "0123456789abcdef0123456789ABCDEF", true},
        {2, "张三", "13812345678", false},
        {0, "  ", "13812345678", false},
        {0, "张三", "1381234567", false},
        {0, "张三", "not an address", false},
    };
    for (const row& r : rows)
        EXPECT_EQ(orbel_add_contact::ok_allowed(r.selected, QString::fromUtf8(r.name), QString::fromUtf8(r.value)),
                  r.ok)
            << r.name << " " << r.value;
}

TEST_F(ContactFixture, import_of_a_gbk_file_and_the_limit_message) {
    const QString path = dir.filePath(QStringLiteral("members.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringEncoder gbk("GBK");
        f.write(gbk(QStringLiteral("王一 13700000001\r\n王二，13700000002\r\n王三 wang.san@mail.cn\r\n")));
    }
    ui.file_names << path;
    when_up<orbel_add_file>([](orbel_add_file* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("文件导入"));
        EXPECT_EQ(child<orbel_richedit>(d, "1038")->toPlainText(),
                  QStringLiteral("13700000001 王一\n13700000002 王二\nwang.san@mail.cn 王三\n"));
        shot(d, "add_file");
        child<QPushButton>(d, "1")->click();
    });
    edit([&](orbel_contact& sheet) { child<QPushButton>(sheet.members(), "1099")->click(); });
    EXPECT_EQ(ui.filters.last(), QStringLiteral("文本文件(*.txt)"));
    EXPECT_EQ(ui.titles.last(), QStringLiteral("文件导入"));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(stored->members.entry_count(), 9);
    EXPECT_EQ(stored->members.name_of(8).to_utf8_string().str(), "王三");

    // Twelve managers into a page of ten (one held): nine arrive, one message.
    QString lines;
    for (int i = 0; i < 12; ++i) lines += QStringLiteral("经理%1 1360000%2\n").arg(i).arg(1000 + i);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(lines.toUtf8());
    }
    ui.file_names << path;
    when_up<orbel_add_file>([](orbel_add_file* d) { d->accept(); });
    edit([&](orbel_contact& sheet) { child<QPushButton>(sheet.managers(), "1100")->click(); });
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("管理员总数不能超过10个。")});
    EXPECT_EQ(stored->managers.entry_count(), 10);

    // A full page refuses the add button at once; a bad file adds nothing.
    ui.messages.clear();
    ui.file_names << path;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("\xFF\xFE\x41");
    }
    edit([&](orbel_contact& sheet) {
        child<QPushButton>(sheet.managers(), "1056")->click();
        child<QPushButton>(sheet.members(), "1099")->click();
    });
    EXPECT_EQ(ui.messages,
              (QStringList{QStringLiteral("管理员总数不能超过10个。"), QStringLiteral("不支持的文件格式!")}));
}

TEST_F(ContactFixture, wizard_member_page_sends_members_only_with_a_member_column) {
    QWizard wizard;
    auto* page = new orbel_contact_wizard_page(remember);
    page->page()->set_address_book(book);
    wizard.addPage(page);
    page->fill(*stored);
    wizard.show();
    EXPECT_EQ(child<orbel_list_control>(page, "1011")->topLevelItemCount(), 6);
    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isVisible());
    page->page()->add_pairs({{QStringLiteral("新人"), QStringLiteral("13911110000")}});
    shot(&wizard, "wizard_members");
    for (int32_t columns : {0x1 | 0x2 | 0x4 | 0x8, 0x10, 0x20, 0x40, 0x100}) {
        vux_desktop_site update;
        update.columns = columns;
        const int32_t bit = page->collect(update);
        EXPECT_EQ(bit, columns == 0xF ? 0 : vux_desktop_site_change::members) << columns;
        EXPECT_EQ(update.members.entry_count(), columns == 0xF ? 0 : 1) << columns;
    }
}

TEST_F(ContactFixture, sms_takes_numbers_from_the_book_and_share_raises_the_count) {
    book.add(vux_string("13812345678 张三"));
    book.add(vux_string("a@b.cn 李四"));
    when_up<orbel_sms>([](orbel_sms* d) {
        EXPECT_EQ(child<QLineEdit>(d, "1061")->text(), QStringLiteral("河畔跑团"));
        auto* list = child<orbel_list_control>(d, "1011");
        ASSERT_EQ(list->topLevelItemCount(), 1);  // e-mail lines are not for texts
        auto* numbers = child<QPlainTextEdit>(d, "1038");
        numbers->setPlainText(QStringLiteral("13900000000"));
        list->topLevelItem(0)->setSelected(true);
        child<QPushButton>(d, "1025")->click();
        EXPECT_EQ(numbers->toPlainText(), QStringLiteral("13900000000\n13812345678\n"));
        shot(d, "sms");
        child<QLineEdit>(d, "1061")->setText(QStringLiteral("一二三四五六七八九十一二三四五六"));
        child<QPushButton>(d, "1")->click();
        EXPECT_TRUE(d->isVisible());
        child<QLineEdit>(d, "1061")->setText(QStringLiteral(" 河畔 "));
        child<QPushButton>(d, "1")->click();
    });
    vux_desktop_request_sms request;
    ASSERT_TRUE(orbel_sms::run(vux_string("q0000101"), QStringLiteral("河畔跑团"), nullptr, request, book));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("验证信息不能超过15个字符！")});
    EXPECT_EQ(request.site_key.str(), "q0000101");
    EXPECT_EQ(request.text.str(), "河畔");
    ASSERT_EQ(request.numbers.count(), 2);
    EXPECT_EQ(request.numbers.item_at(1).str(), "13812345678");

    ui.messages.clear();
    when_up<orbel_share>([](orbel_share* d) {
        EXPECT_EQ(child<QLabel>(d, "1044")->text(), QStringLiteral("总的分享数：0"));
        child<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("13812345678\n13812345679 \n"));
        child<QPushButton>(d, "1")->click();
        child<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("13812345678\n13812345679\n13812345678"));
        shot(d, "share");
        child<QPushButton>(d, "1")->click();
    });
    vux_desktop_request_site share;
    ASSERT_TRUE(orbel_share::run(*stored, vux_string("q0000101"), nullptr, share));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("行结尾存在多余的空格!")});
    EXPECT_EQ(share.operation, 3);
    EXPECT_EQ(share.data.length(), 96);  // duplicates kept here; the service drops them
}

// Operation 3 through the cache's rules to the stand-in and back: the reply
// replaces the cached site, whose count the next share dialog shows.
TEST(ShareRoundTrip, shared_numbers_raise_the_count) {
    orbel_test_ui ui;
    quellmark_service service;
    ASSERT_TRUE(service.state().load_demo());
    const quellmark_session& s = service.state().open_session("demo@quellmark.com");
    vux_desktop_session session;
    session.id = s.id;
    session.text1 = vux_string(s.token);
    session.account = vux_string(s.account);

    vux_desktop_site cached;
    when_up<orbel_share>([](orbel_share* d) {
        child<QPlainTextEdit>(d, "1038")->setPlainText(QStringLiteral("13812345678\n13812345679\n13812345678"));
        child<QPushButton>(d, "1")->click();
    });
    auto request = std::make_unique<vux_desktop_request_site>();
    ASSERT_TRUE(orbel_share::run(cached, vux_string("q0000101"), nullptr, *request));
    orbel_site_queue queue;
    queue.enqueue_request(std::move(request));
    const std::unique_ptr<vux_desktop_request_site> out = queue.take_next(session);
    ASSERT_TRUE(out);
    const vux_buffer reply = service.respond_frame(vux_desktop_frame(*out));
    const auto answer = vux_desktop_accept_as<vux_desktop_response_site>(reply);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(queue.on_reply(answer.get()).has_arrived);
    const vux_desktop_site* site = queue.find(vux_string("q0000101"));
    ASSERT_TRUE(site);
    EXPECT_EQ(site->count_share_entries(), 2);
    orbel_share again(site->count_share_entries());
    EXPECT_EQ(child<QLabel>(&again, "1044")->text(), QStringLiteral("总的分享数：2"));
}

}  // namespace
