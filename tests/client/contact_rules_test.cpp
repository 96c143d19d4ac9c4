// The contact pages' rules without a window: keys and shown texts, add and
// delete as state changes of the holder, the import reader, the address
// book, and the number grammar of the SMS and share dialogs.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include "client/contacts/orbel_address_book.h"
#include "client/contacts/orbel_contact_table.h"
#include "client/contacts/orbel_number_list.h"
#include "desktop/orbel_contact_key.h"
#include "desktop/orbel_md5.h"
#include "desktop/orbel_textfile.h"
#include "gui/orbel_text.h"

namespace {

vux_unicode name(const char16_t* s) { return vux_unicode(s); }

// A table holding one entry as the service sends it (state 0).
vux_desktop_contact service_table(const char* value, const char16_t* n) {
    vux_desktop_contact t;
    const orbel_contact_key k = orbel_make_contact_key(vux_string(value));
    t.append_entry(vux_unicode(n), k.key, k.shown);
    t.set_state(0, 0);
    return t;
}

std::vector<int> states(const orbel_contact_table& t) {
    std::vector<int> out;
    for (int32_t i = 0; i < t.holder().entry_count(); ++i) out.push_back(t.holder().state_of(i));
    return out;
}

TEST(ContactKey, KeyAndShownTextOfEachForm) {
    struct row {
        const char* value;
        const char* key;
        const char* shown;
    } rows[] = {
        {"13812345678", nullptr, "138****5678"},
        {"ab@mail.com", nullptr, "ab*********"},
        {"averylongname@x.org", nullptr, "averylongna"},
        {"0123456789ABCDEF0123456789abcdef", "0123456789abcdef0123456789abcdef", "***********"},
    };
    for (const row& r : rows) {
        const orbel_contact_key k = orbel_make_contact_key(vux_string(r.value));
        EXPECT_EQ(k.shown.str(), r.shown) << r.value;
        if (r.key) {
            EXPECT_EQ(k.key.str(), r.key);
        } else {
            EXPECT_EQ(k.key.str(), orbel_md5_hex(vux_string(r.value)).str());
        }
    }
    // One address, one key, whichever way it was typed.
    EXPECT_EQ(orbel_make_contact_key(vux_string("Ann@Mail.COM")).key.str(),
              orbel_make_contact_key(vux_string("ann@mail.com")).key.str());
    EXPECT_EQ(orbel_make_contact_key(vux_string("ANN@MAIL.COM")).shown.str(), "ann********");
}

TEST(ContactTable, AddAndDeleteAsStateChanges) {
    // Same key, same name: nothing changes.
    {
        orbel_contact_table t(100);
        t.fill(service_table("13812345678", u"张三"));
        EXPECT_EQ(t.add_one(name(u"张三"), vux_string("13812345678")), orbel_contact_table::added::unchanged);
        EXPECT_EQ(states(t), (std::vector<int>{0}));
        EXPECT_EQ(t.rows().size(), 1u);
    }
    // Same key, another name: the service entry goes (3), the new one comes (1).
    {
        orbel_contact_table t(100);
        t.fill(service_table("13812345678", u"张三"));
        EXPECT_EQ(t.add_one(name(u"李四"), vux_string("13812345678")), orbel_contact_table::added::added);
        EXPECT_EQ(states(t), (std::vector<int>{3, 1}));
        ASSERT_EQ(t.rows().size(), 1u);
        EXPECT_TRUE(t.rows()[0].name == name(u"李四"));
        // Deleting after the replace acts on the live entry: 1 becomes 4.
        EXPECT_EQ(t.delete_rows({0}), -1);
        EXPECT_EQ(states(t), (std::vector<int>{3, 4}));
    }
    // A name past the entry's 23 units is kept cut, and the cut name is the same name.
    {
        orbel_contact_table t(100);
        const vux_unicode long_name(u"一二三四五六七八九十一二三四五六七八九十一二三四五");
        t.add_one(long_name, vux_string("13812345678"));
        EXPECT_EQ(t.rows()[0].name.length(), 23);
        EXPECT_EQ(t.add_one(long_name, vux_string("13812345678")), orbel_contact_table::added::unchanged);
    }
    // Replacing an entry added here drops it (4): nothing is sent for it.
    {
        orbel_contact_table t(100);
        t.add_one(name(u"王五"), vux_string("a@b.cn"));
        t.add_one(name(u"赵六"), vux_string("A@B.CN"));
        EXPECT_EQ(states(t), (std::vector<int>{4, 1}));
        EXPECT_EQ(t.rows().size(), 1u);
    }
    // Delete of a new row gives 4, of a service row 3; the selection moves
    // to the last deleted position, or the row before past the end.
    {
        orbel_contact_table t(100);
        vux_desktop_contact table = service_table("13800000001", u"一");
        vux_desktop_contact::append_all_from(table, service_table("13800000002", u"二"));
        table.set_state(1, 0);
        t.fill(table);
        t.add_one(name(u"三"), vux_string("13800000003"));
        t.add_one(name(u"四"), vux_string("13800000004"));
        EXPECT_EQ(t.delete_rows({2, 0}), 1);  // rows 一 and 三 go; 四 now at 1
        EXPECT_EQ(states(t), (std::vector<int>{3, 0, 4, 1}));
        EXPECT_EQ(t.delete_rows({1}), 0);
        EXPECT_EQ(t.live_entry(orbel_make_contact_key(vux_string("13800000004")).key), -1);
    }
}

TEST(ContactTable, EachPageStopsAtItsLimit) {
    for (int limit : {100, 50, 10}) {
        orbel_contact_table t(limit);
        for (int i = 0; i < limit; ++i)
            ASSERT_EQ(t.add_one(name(u"某人"), vux_string(("1380000" + std::to_string(1000 + i)).c_str())),
                      orbel_contact_table::added::added);
        EXPECT_TRUE(t.full());
        EXPECT_EQ(t.add_one(name(u"某人"), vux_string("13900000000")), orbel_contact_table::added::full);
        EXPECT_EQ(t.holder().entry_count(), limit);
    }
}

bool qt_gbk(const uint8_t* p, int32_t n, std::u16string& out) {
    QStringDecoder d("GBK");
    const QString s = d(QByteArrayView(p, n));
    if (d.hasError()) return false;
    out.assign(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size()));
    return true;
}

QByteArray utf16le(const QString& s) {
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : s) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

TEST(ContactImport, DecodingByMark) {
    const QString text = QStringLiteral("张三 13812345678");
    QByteArray be("\xFE\xFF", 2);
    for (QChar c : text) {
        be.append(char(c.unicode() >> 8));
        be.append(char(c.unicode() & 0xFF));
    }
    QStringEncoder gbk("GBK");
    struct row {
        const char* what;
        QByteArray bytes;
        bool ok;
        QString decoded;
    } rows[] = {
        {"UTF-16 LE", utf16le(text), true, text},
        {"UTF-16 BE", be, true, text},
        {"UTF-16 LE mark, odd rest", QByteArray("\xFF\xFE\x41", 3), false, {}},
        {"UTF-8 mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8(), true, text},
        {"UTF-8 mark, bad body", QByteArray("\xEF\xBB\xBF\xC3\x28", 5), false, {}},
        {"UTF-8 without mark", text.toUtf8(), true, text},
        {"GBK", gbk(text), true, text},
        {"one byte", QByteArray("a"), true, QStringLiteral("a")},
        {"two bytes: a bare LE mark", QByteArray("\xFF\xFE", 2), false, {}},
        {"three bytes: a bare UTF-8 mark, read as an empty text", QByteArray("\xEF\xBB\xBF"), true, {}},
    };
    for (const row& r : rows) {
        orbel_textfile f;
        EXPECT_EQ(f.decode(vux_link(r.bytes.constData(), int32_t(r.bytes.size())), qt_gbk), r.ok) << r.what;
        EXPECT_EQ(QString::fromStdU16String(f.text()), r.decoded) << r.what;
    }
}

TEST(ContactImport, LineParser) {
    struct row {
        const char16_t* line;
        bool ok;
        const char* value;
        const char16_t* name;
    } rows[] = {
        {u"张三, 13812345678", true, "13812345678", u"张三"},
        {u"李四 li.si@mail.com", true, "li.si@mail.com", u"李四"},
        {u"王五，wang@mail.com", true, "wang@mail.com", u"王五"},
        {u"Bob Lee,bob@mail.com", true, "bob@mail.com", u"Bob Lee"},
        {u"赵六，13812345678", true, "13812345678", u"赵六"},
        {u",13812345678", false, "", u""},
        {u", 13812345678", false, "", u""},
        {u"a13812345678", false, "", u""},  // 12 characters
        {u"张三 a@b.cn", false, "", u""},   // short e-mail lines stay refused
        {u"张三 not-an-address", false, "", u""},
    };
    for (const row& r : rows) {
        orbel_textfile::pair p;
        EXPECT_EQ(orbel_textfile::parse_line(r.line, p), r.ok) << QString::fromUtf16(r.line).toStdString();
        if (!r.ok) continue;
        EXPECT_EQ(p.value.str(), r.value);
        EXPECT_TRUE(p.name == vux_unicode(r.name));
    }
    // One bad line fails the whole import; blank lines and spaces are skipped.
    orbel_textfile f;
    f.set_text(u"  张三 13812345678  \r\n\r\n李四 13812345679\n");
    ASSERT_TRUE(f.parse());
    ASSERT_EQ(f.pairs().size(), 2u);
    EXPECT_EQ(f.pairs()[1].value.str(), "13812345679");
    f.set_text(u"张三 13812345678\r\nbad line\r\n李四 13812345679");
    EXPECT_FALSE(f.parse());
    EXPECT_TRUE(f.pairs().empty());
}

TEST(ContactImport, WholeReaderOutcomes) {
    orbel_textfile f;
    const QByteArray good = QStringLiteral("张三 13812345678\r\n").toUtf8();
    const QByteArray blank("\r\n  \r\n");
    const QByteArray bad = QStringLiteral("张三 1381234\r\n").toUtf8();
    const QByteArray binary("\x80\x81\x82\x83", 4);
    EXPECT_EQ(orbel_read_contacts(vux_link(good.constData(), int32_t(good.size())), qt_gbk, f),
              orbel_import_error::none);
    EXPECT_EQ(orbel_read_contacts(vux_link(), qt_gbk, f), orbel_import_error::empty);
    EXPECT_EQ(orbel_read_contacts(vux_link(blank.constData(), int32_t(blank.size())), qt_gbk, f),
              orbel_import_error::empty);
    EXPECT_EQ(orbel_read_contacts(vux_link(bad.constData(), int32_t(bad.size())), qt_gbk, f),
              orbel_import_error::parse);
    EXPECT_EQ(orbel_read_contacts(vux_link(binary.constData(), 4), qt_gbk, f), orbel_import_error::format);
}

QByteArray file_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(AddressBook, RoundTripRemovalAndUnreadableBook) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vux_ab.txt"));
    orbel_address_book book(path);
    vux_string_list lines;
    EXPECT_TRUE(book.read(lines));
    EXPECT_EQ(lines.count(), 0);
    EXPECT_TRUE(book.add(vux_string("13812345678 张三")));
    EXPECT_TRUE(book.add(vux_string("a@b.cn 李四")));
    EXPECT_TRUE(book.add(vux_string("a@b.cn 李四")));  // already there
    EXPECT_EQ(file_bytes(path),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("13812345678 张三\r\na@b.cn 李四\r\n").toUtf8());
    ASSERT_TRUE(book.read(lines));
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.item_at(1).str(), "a@b.cn 李四");

    EXPECT_TRUE(book.remove(vux_string("13812345678 张三")));
    EXPECT_TRUE(book.remove(vux_string("a@b.cn 李四")));
    EXPECT_FALSE(QFile::exists(path));

    // A book that is not UTF-8 (or is too large) is left as it is.
    const QByteArray foreign("\xD5\xC5\xC8\xFD 13812345678\r\n", 17);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(foreign);
    }
    EXPECT_FALSE(book.read(lines));
    EXPECT_FALSE(book.add(vux_string("13800000000 新人")));
    EXPECT_FALSE(book.remove(vux_string("13812345678 张三")));
    EXPECT_EQ(file_bytes(path), foreign);
    {
        QFile f(path);
        ASSERT_TRUE(f.resize(orbel_address_book::max_file_size + 1));
    }
    EXPECT_FALSE(book.add(vux_string("13800000000 新人")));
    EXPECT_EQ(QFileInfo(path).size(), orbel_address_book::max_file_size + 1);
}

TEST(AddressBook, EntriesOfLines) {
    struct row {
        const char* line;
        bool mobile_only;
        bool ok;
    } rows[] = {
        {"13812345678 张三", true, true},
        {"a@b.cn 李四", false, true},
        {"a@b.cn 李四", true, false},
        {"13812345678", false, false},
        {"13812345678 ", false, false},
        {"12345 张三", false, false},
        {"13812345678 这个名字太长了这个名字太长了这个名字太长了太长了", false, false},
    };
    for (const row& r : rows) {
        vux_string value;
        QString n;
        EXPECT_EQ(orbel_address_book_entry(vux_string(r.line), r.mobile_only, value, n), r.ok) << r.line;
    }
}

using namespace orbel_number_list;

QString numbers(int count, int first = 0) {
    QString out;
    for (int i = 0; i < count; ++i) out += QStringLiteral("1380000%1\r\n").arg(first + i, 4, 10, QLatin1Char('0'));
    return out;
}

TEST(NumberList, SmsGrammar) {
    struct row {
        const char* what;
        QString verification;
        QString text;
        QString message;
        int count;
    } rows[] = {
        {"two lines, one number", "河畔", "13812345678\r\n13812345678\r\n", "", 1},
        {"last line without CR LF", "河畔", "13812345678\r\n13812345679", "", 2},
        {"100 numbers", "河畔", numbers(100), "", 100},
        {"101 numbers", "河畔", numbers(101), "每次发送个数不能超过100个!", 0},
        {"101 lines, 100 distinct", "河畔", numbers(100) + numbers(1), "", 100},
        {"trailing space", "河畔", "13812345678 \r\n", "行结尾存在多余的空格!", 0},
        {"LF alone", "河畔", "13812345678\n13812345679", "数据换行有错误!", 0},
        {"5-digit last line", "河畔", "13812345678\r\n13812", "数据结尾有错误!", 0},
        {"short text", "河畔", "1381234567", "数据长度有错误!", 0},
        {"first digit", "河畔", "23812345678", "电话号码第一位有误!", 0},
        {"letter", "河畔", "1381234567a", "电话号码格式不对!", 0},
        {"15 characters", "一二三四五六七八九十一二三四五", "13812345678", "", 1},
        {"16 characters", "一二三四五六七八九十一二三四五六", "13812345678", "验证信息不能超过15个字符！", 0},
        {"blank verification", "  ", "13812345678", "验证信息不能为空！", 0},
    };
    for (const row& r : rows) {
        const sms_outcome o = sms_rule(r.verification, r.text);
        EXPECT_EQ(o.message, r.message) << r.what;
        EXPECT_EQ(o.close, r.message.isEmpty()) << r.what;
        EXPECT_EQ(o.numbers.count(), r.count) << r.what;
    }
    // First-seen order, and an empty list does nothing.
    const sms_outcome o = sms_rule("x", "13800000002\r\n13800000001\r\n13800000002");
    ASSERT_EQ(o.numbers.count(), 2);
    EXPECT_EQ(o.numbers.item_at(0).str(), "13800000002");
    const sms_outcome none = sms_rule("x", "");
    EXPECT_FALSE(none.close);
    EXPECT_TRUE(none.message.isEmpty());
    EXPECT_EQ(orbel_crlf_lines("1\n2\r\n3"), QString("1\r\n2\r\n3"));
}

TEST(NumberList, ShareGrammar) {
    const QString digest = QStringLiteral("0123456789abcdef0123456789ABCDEF");
    const std::string md5 = orbel_md5_hex(vux_string("13812345678")).str();
    struct row {
        const char* what;
        QString text;
        QString message;
        std::string digests;
    } rows[] = {
        {"numbers, duplicates kept", "13812345678\r\n13812345678", "", md5 + md5},
        {"a lower-case digest", digest.toLower(), "", digest.toLower().toStdString()},
        {"two digests", digest + "\r\n" + digest + "\r\n", "", (digest + digest).toLower().toStdString()},
        {"31 digits then CR", digest.left(31) + "\r\n", "数据换行有错误!", ""},
        {"a digest starting with 1", "1" + digest.mid(1), "", ("1" + digest.mid(1)).toLower().toStdString()},
        {"a bad digit", "g" + digest.mid(1), "加密数据格式不对!", ""},
        {"a short digest", "abc", "数据长度有错误!", ""},
        {"a digest and a space", digest + " \r\n", "行结尾存在多余的空格!", ""},
        {"digest cut short", digest + "\r\nab", "数据结尾有错误!", ""},
    };
    for (const row& r : rows) {
        const share_outcome o = share_rule(r.text);
        EXPECT_EQ(o.message, r.message) << r.what;
        EXPECT_EQ(o.close, r.message.isEmpty()) << r.what;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(o.digests.data()), size_t(o.digests.length())), r.digests)
            << r.what;
    }
}

}  // namespace
