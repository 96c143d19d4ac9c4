// Every launcher and desktop message, and the default site, against bytes
// written by hand from the field tables: decoded field by field, then
// encoded back to the same bytes.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/records/vux_desktop_site.h"
#include "golden_bytes.h"

namespace {

std::vector<uint8_t> bytes_of(const vux_link& b) { return {b.data(), b.data() + b.length()}; }

golden_form session() { return golden_form().i(-20260314).s("令牌甲").s("王小明").s("第三串"); }

golden_form data(std::string_view name, std::vector<uint8_t> bytes) { return golden_form().s(name).b(bytes); }

// One 128-byte contact entry: key, second text, UTF-16LE name, icon, state.
std::vector<uint8_t> contact_entry(std::string_view key, std::string_view text, std::u16string_view name, int8_t icon,
                                   uint8_t state) {
    std::vector<uint8_t> e(128, 0);
    std::copy(key.begin(), key.end(), e.begin());
    std::copy(text.begin(), text.end(), e.begin() + 32);
    for (size_t k = 0; k < name.size(); ++k) {
        e[48 + 2 * k] = uint8_t(name[k] & 0xFF);
        e[48 + 2 * k + 1] = uint8_t(name[k] >> 8);
    }
    e[126] = uint8_t(icon);
    e[127] = state;
    return e;
}

golden_form site() {
    golden_form f;
    for (int32_t v : {2, 0x15, 0x00FF8800, 2, -3, 0x1F, 3, 1, -9, 11, 0x7FFFFFFF}) f.i(v);
    f.s("河畔跑团");
    f.s("http://例子.cn/站").b({0x89, 'P', 'N', 'G'});
    f.s("图标").b({1, 2, 3});
    f.s("背景").b({0xFE});
    f.s("首页").b({0, 0xFF, 0x80});
    for (std::string_view t :
         {"文本一", "13800138000", "简介：欢迎", "010-12345678", "北京市海淀区", "116.30", "39.98", "文本八", "文本九"})
        f.s(t);
    f.i(60).integers({0x01FF0000, 0x0D00FF00, int32_t(0x81000001)});  // brush
    f.b(contact_entry("0123456789abcdef0123456789abcdef", "13800138000", u"李四", 1, 2));
    std::vector<uint8_t> two = contact_entry("fedcba9876543210fedcba9876543210", "135", u"赵六", 0, 1);
    const std::vector<uint8_t> second = contact_entry("00000000000000000000000000000001", "139", u"钱七", -1, 4);
    two.insert(two.end(), second.begin(), second.end());
    f.b(two);
    f.b(contact_entry("ffffffffffffffffffffffffffffffff", "186", u"孙八", 0, 3));
    f.i(257).count(1);  // news
    f.i(1700000000).i(1).i(-4).s("0000000a").s("作者").s("标题").s("内容").then(data("新闻.jpg", {0xFF, 0xD8}));
    f.i(3).count(1);  // notices
    f.i(1700000100).i(2).i(1).i(0x10).i(-1).s("0000000b").s("发布者").s("通知内容").then(data("通知.png", {7, 7}));
    f.i(4).count(1);  // votes
    f.i(1700000200).i(4).i(1).i(-12).i(7).i(2).s("0000000c").s("投票人").s("选哪个？");
    f.strings({"甲", "乙", "丙"}).integers({5, -1, 0x10000}).then(data("票.gif", {'G', 'I', 'F'}));
    f.integers({3, -2});                          // share counts
    f.b(std::vector<uint8_t>(32, uint8_t('a')));  // one share entry
    return f;
}

golden_form default_site() {
    golden_form f;
    for (int32_t v : {0, 0, 1810914, 1, 0, 0, 0, 0, 0, 0, 0}) f.i(v);
    f.s("");
    for (int k = 0; k < 4; ++k) f.s("").b({});
    for (int k = 0; k < 9; ++k) f.s("");
    f.i(75).integers({});
    f.b({}).b({}).b({});
    f.i(0).count(0).i(0).count(0).i(0).count(0);
    f.integers({}).b({});
    return f;
}

std::vector<golden_message> golden_cases() {
    return {
        {3902, golden_form().s("quellmark").s("0cc175b9c0f1b6a831c399e269772661")},
        {3903, golden_form().i(-1).i(1).i(8080).s("升级.例子.cn").s("/cs/升级")},
        {3904, golden_form().s("quellmark")},
        {3905, golden_form().i(-2).b({0x7F, 'E', 'L', 'F', 2, 1})},
        {3906, golden_form().i(-7).s("张三@例子.com")},
        {3907, golden_form().i(-1).i(1).i(int32_t(0xDEADBEEF))},
        {3908, golden_form().i(-8).s("张三@例子.com").s("9e107d9d372bb6826bd81d3542a419d6")},
        {3909, golden_form().i(-3).i(8080).s("服务.例子.cn").s("/cs").then(session())},
        {3910, golden_form().i(4).strings({"q0000101", "新名称"}).then(session())},
        {3911, golden_form()
                   .i(-4)
                   .i(-11)  // document
                   .s("q0000101")
                   .count(2)
                   .i(1)
                   .s("q0000101")
                   .s("河畔跑团")
                   .s("说明")
                   .s("备注")
                   .i(3)
                   .s("q0000102")
                   .s("旧城摄影社")
                   .s("第三")
                   .s("第四")
                   .strings({"公告一", "公告二"})},
        {3912, golden_form().i(2).s("q0000101").then(site()).b({'s', 'h', 0xE2, 0x80}).then(session())},
        {3913, golden_form().i(-5).s("q0000101").then(site())},
        {3914, golden_form()
                   .i(1)
                   .i(-1)
                   .i(20)
                   .s("q0000101")
                   .s("成员键")
                   .s("你好，世界")
                   .integers({1700000000, -6})
                   .then(session())},
        {3915, golden_form()
                   .i(-6)
                   .s("消息")
                   .count(2)  // recent
                   .i(1700000300)
                   .i(9)
                   .i(-2)
                   .s("键一")
                   .s("最近一")
                   .i(1700000400)
                   .i(10)
                   .i(3)
                   .s("键二")
                   .s("最近二")
                   .count(1)  // messages
                   .i(1700000500)
                   .i(-77)
                   .s("发件人")
                   .s("正文")},
        {3916, golden_form().s("q0000101").s("请下载").strings({"13800138000", "13900139000"}).then(session())},
        {3917, golden_form().i(-9).s("已发送")},
        {3918, golden_form().s("密文ABCD").then(session())},
        {3919, golden_form().i(-10)},
        {3920, golden_form().i(-12).i(0x12345678).then(session())},
        {3921, golden_form().i(-13).i(1).i(-14)},
        {3922, golden_form().i(5).s("头像.jpg").b({0xFF, 0xD8, 0xFF}).then(session())},
        {3923, golden_form().i(-15).s("头像.jpg").b({0xFF, 0xD8, 0xFF, 0xD9})},
    };
}

}  // namespace

TEST(DesktopGolden, EveryMessageDecodesFieldByFieldAndEncodesBack) {
    expect_golden_messages(vux_desktop_message_table(), golden_cases());
}

TEST(DesktopGolden, DefaultSiteIsTheTablesDefaults) {
    const golden_form f = default_site();
    EXPECT_EQ(f.bytes().size(), 168u);
    vux_desktop_site fresh;
    vux_buffer written;
    vux_writer w(written);
    fresh.write(w);
    EXPECT_EQ(bytes_of(written), f.bytes());

    const vux_buffer wire(f.bytes().data(), int32_t(f.bytes().size()));
    vux_reader r(wire);
    vux_desktop_site decoded;
    decoded.tray_color = 0;  // so the read, not the constructor, gives the defaults
    decoded.column_align = 0;
    decoded.brush.opacity = 0;
    decoded.read(r);
    EXPECT_FALSE(r.has_error());
    EXPECT_EQ(r.remaining(), 0);
    expect_same_fields(golden_fields::of(decoded), f.fields());
}

TEST(DesktopGolden, TheSameBytesSeedTheFuzzCorpus) {
    expect_golden_seeds(VUX_SOURCE_DIR, "desktop_accept", golden_cases());
}
