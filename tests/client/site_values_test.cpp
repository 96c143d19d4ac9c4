// The site sheet's and the home-page editor's rules without a window: what
// an accept sends for a cached site and the edits made, the check rules,
// the opacity label, the coordinate checks and the pages they open.
#include <gtest/gtest.h>

#include "client/common/orbel_web.h"
#include "client/sheet/orbel_homepage.h"
#include "client/sheet/orbel_site_sheet.h"
#include "client/sheet/orbel_site_type.h"
#include "gui/orbel_text.h"

namespace {

// A site as the service keeps it after some editing: option bits of every
// page plus 0x200 and a bit above the tables (the service's own), columns
// with sharing and a bit above the table, opacity 40, two colours set.
vux_desktop_site edited_site() {
    vux_desktop_site s;
    s.name = orbel_to_utf8(QStringLiteral("河畔跑团"));
    s.activation_number = "13800000001";
    s.activated = 1;
    s.options = 0x80 | 0x400 | 0x2 | 0x8 | 0x200 | 0x10000;
    s.columns = 0x1 | 0x2 | 0x8 | 0x40 | 0x8000;
    s.tray_color = 0x123456;
    s.column_align = 2;
    s.brush.opacity = 40;
    s.brush.set_entry(1, 0x010203);
    s.brush.set_entry(6, 0x040506);
    const char icon[] = "\x89PNG-icon";
    s.icon.assign_bytes(icon, 9);
    return s;
}

struct sheet_case {
    const char* name;
    std::function<void(vux_desktop_site&)> cached;        // changes to edited_site()
    QString telephone;                                    // the profile's
    std::function<void(orbel_site_sheet::values&)> edit;  // what the user did
    int32_t mask;
    std::function<void(const vux_desktop_site& update, const orbel_site_sheet::values&)> more;
};

TEST(SiteValues, sheet_fill_then_collect) {
    const auto nothing = [](auto&) {};
    const sheet_case cases[] = {
        {"untouched",
         nothing,
         {},
         nothing,
         0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values&) {
             EXPECT_EQ(u.brush.entries.count(), 13);
             EXPECT_EQ(u.brush.opacity, 40);  // never the record's default 75
             EXPECT_EQ(u.brush.value_of(1, 0), 0x010203);
             EXPECT_EQ(u.brush.value_of(2, 0), 0x1BA1E2);
             EXPECT_EQ(u.brush.value_of(6, 0), 0x040506);
             EXPECT_EQ(vux_desktop_brush::entry_key(u.brush.entries.get(1)), 3);  // key order 1, 3, 2, ...
             EXPECT_TRUE(u.name.empty());
             EXPECT_TRUE(u.activation_number.empty());
             EXPECT_EQ(u.options, 0x80 | 0x400 | 0x2 | 0x8 | 0x200 | 0x10000);  // pinned and unknown bits kept
             EXPECT_EQ(u.columns, 0x1 | 0x2 | 0x8 | 0x40 | 0x8000);
             EXPECT_TRUE(u.icon.empty());
         }},
        {"title changed, trimmed",
         nothing,
         {},
         [](orbel_site_sheet::values& v) { v.setup.title = QStringLiteral("  新标题 "); },
         0x40 | 0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values&) {
             EXPECT_EQ(orbel_to_qstring(u.name), QStringLiteral("新标题"));
         }},
        {"title with spaces only around the same",
         nothing,
         {},
         [](orbel_site_sheet::values& v) { v.setup.title = QStringLiteral(" 河畔跑团 "); },
         0x80000,
         {}},
        {"empty number takes the profile's telephone", [](vux_desktop_site& s) { s.activation_number.clear(); },
         QStringLiteral("13900000002"), nothing, 0x1000 | 0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values& v) {
             EXPECT_EQ(v.setup.number, QStringLiteral("13900000002"));
             EXPECT_EQ(v.setup.status, QStringLiteral("【已经激活】"));
             EXPECT_EQ(u.activation_number.str(), "13900000002");
         }},
        {"pause, tray colour, align, opacity, colour, clear icon",
         nothing,
         {},
         [](orbel_site_sheet::values& v) {
             v.setup.paused = true;
             v.setup.tray_color = 0xFF0000;
             v.setup.icon.clear();
             v.column.align = 0;
             v.column.opacity = 0;
             v.column.colors[4] = 0x00FF00;
         },
         0x1 | 0x4 | 0x8 | 0x200 | 0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values&) {
             EXPECT_EQ(u.publish_state, 1);
             EXPECT_EQ(u.brush.opacity, 0);
             EXPECT_EQ(u.brush.value_of(5, 0), 0x00FF00);
             EXPECT_EQ(u.column_align, 0);
             EXPECT_TRUE(u.icon.empty());
         }},
        {"feedback off and a column more",
         nothing,
         {},
         [](orbel_site_sheet::values& v) {
             v.setup.feedback = false;
             v.column.columns |= 0x100;
         },
         0x2 | 0x20 | 0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values&) {
             EXPECT_EQ(u.options, 0x80 | 0x2 | 0x8 | 0x200 | 0x10000);
             EXPECT_EQ(u.columns, 0x1 | 0x2 | 0x8 | 0x40 | 0x100 | 0x8000);
         }},
        {"大型商家",
         [](vux_desktop_site& s) { s.options |= 0x1 | 0x4 | 0x10 | 0x1000; },
         {},
         [](orbel_site_sheet::values& v) { ASSERT_TRUE(orbel_site_type::apply_preset(1115, v.column, v.share)); },
         0x2 | 0x20 | 0x80000,
         [](const vux_desktop_site& u, const orbel_site_sheet::values&) {
             // home, notice, sharing; recommend and keyword; private
             // messages and its three rules cleared; the rest kept.
             EXPECT_EQ(u.columns, 0x1 | 0x2 | 0x8 | 0x8000);
             EXPECT_EQ(u.options, 0x80 | 0x400 | 0x8 | 0x20 | 0x200 | 0x10000);
         }},
    };
    for (const sheet_case& c : cases) {
        SCOPED_TRACE(c.name);
        vux_desktop_site cached = edited_site();
        c.cached(cached);
        orbel_site_sheet::values v = orbel_site_sheet::fill(cached, true, c.telephone);
        c.edit(v);
        vux_desktop_site update;
        const bool number_changed = orbel_site_sheet::collect(v, cached, update);
        EXPECT_EQ(update.change_mask, c.mask) << std::hex << update.change_mask;
        EXPECT_EQ(number_changed, (c.mask & 0x1000) != 0);
        if (c.more) c.more(update, v);
    }
}

TEST(SiteValues, every_preset) {
    struct preset {
        int id;
        int32_t columns, options;
        bool sharing;
        int32_t share_options;
    };
    const preset presets[] = {
        {1111, 0x8 | 0x20 | 0x40, 0x2, false, 0}, {1112, 0x8 | 0x10 | 0x40 | 0x100, 0x2, false, 0},
        {1113, 0x2 | 0x4 | 0x8, 0, false, 0},     {1114, 0x2 | 0x8 | 0x10 | 0x40, 0x1, false, 0},
        {1115, 0x2 | 0x8, 0, true, 0x8 | 0x20},
    };
    for (const preset& p : presets) {
        SCOPED_TRACE(p.id);
        // Everything on before: what a preset does not list (hidden
        // columns, points of interest) stays.
        orbel_site_column::values column;
        column.columns = orbel_site_column::column_bits;
        column.options = orbel_site_column::option_bits;
        orbel_site_share::values share{true, orbel_site_share::option_bits};
        ASSERT_TRUE(orbel_site_type::apply_preset(p.id, column, share));
        EXPECT_EQ(column.columns, p.columns | 0x200 | 0x400 | 0x800 | 0x1000 | 0x2000);
        EXPECT_EQ(column.options, p.options | 0x800);
        EXPECT_EQ(share.sharing, p.sharing);
        EXPECT_EQ(share.options, p.share_options);
    }
    orbel_site_column::values column;
    orbel_site_share::values share;
    EXPECT_FALSE(orbel_site_type::apply_preset(1110, column, share));
}

TEST(SiteValues, template_fill_shows_no_status) {
    vux_desktop_site s = edited_site();
    EXPECT_EQ(orbel_site_setup::fill(s, true, {}).status, QStringLiteral("【已经激活】"));
    s.activated = 0;
    EXPECT_EQ(orbel_site_setup::fill(s, true, {}).status, QStringLiteral("【尚未激活】"));
    EXPECT_TRUE(orbel_site_setup::fill(s, false, {}).status.isEmpty());
    s.activation_number.clear();
    EXPECT_TRUE(orbel_site_setup::fill(s, true, {}).status.isEmpty());
}

TEST(SiteValues, setup_check) {
    struct check_case {
        const char* title;
        const char* number;
        const char* focus;  // null: passes
        const char16_t* message;
    };
    const check_case cases[] = {
        {"站点", "13800000000", nullptr, u""},
        {"  ", "13800000000", "1030", u"显示标题不能为空!"},
        {"站点", "", "1024", u"激活手机号不能为空!"},
        {"站点", "23800000000", "1024", u"请输入一个合法的激活手机号!"},
        {"站点", "1380000000", "1024", u"请输入一个合法的激活手机号!"},
        {"站点", "1380000000x", "1024", u"请输入一个合法的激活手机号!"},
        {"", "", "1030", u"显示标题不能为空!"},
    };
    for (const check_case& c : cases) {
        orbel_site_setup::values v;
        v.title = QString::fromUtf8(c.title);
        v.number = QString::fromUtf8(c.number);
        const auto p = orbel_site_setup::check(v);
        SCOPED_TRACE(std::string(c.title) + "/" + c.number);
        if (!c.focus) {
            EXPECT_FALSE(p.has_value());
            continue;
        }
        ASSERT_TRUE(p.has_value());
        EXPECT_STREQ(p->focus, c.focus);
        EXPECT_EQ(p->message, QString::fromUtf16(c.message));
    }
}

TEST(SiteValues, column_check_rules) {
    struct rule {
        int32_t columns, options;  // before
        int id;
        bool checked;
        int32_t columns_after, options_after;
    };
    const rule rules[] = {
        {0, 0, 1022, true, 0x40, 0x1 | 0x2},
        {0x40, 0x1 | 0x4, 1022, false, 0, 0},
        {0, 0, 1062, true, 0x40, 0x1},
        {0x40, 0x1, 1062, false, 0, 0},
        {0x40, 0x1 | 0x2, 1062, false, 0x40, 0x2},
        {0x40, 0x1 | 0x4, 1062, false, 0x40, 0x4},
        {0, 0x4, 1064, true, 0x40, 0x2},
        {0x40, 0x2, 1064, false, 0, 0},
        {0x40, 0x1 | 0x2, 1064, false, 0x40, 0x1},
        {0x40, 0x2, 1093, true, 0x40, 0x4},
        {0x40, 0x4, 1093, false, 0, 0},
        {0x40, 0x1 | 0x4, 1093, false, 0x40, 0x1},
        {0x200, 0x800, 1081, false, 0, 0},
        {0, 0, 1063, true, 0x200, 0x800},
        {0x200 | 0x4, 0x800, 1043, false, 0x200, 0x800},
        {0, 0, 1086, true, 0x100, 0},
    };
    for (const rule& r : rules) {
        SCOPED_TRACE(testing::Message() << r.id << (r.checked ? " on" : " off") << " from " << std::hex << r.columns
                                        << "/" << r.options);
        orbel_site_column::values v;
        v.columns = r.columns;
        v.options = r.options;
        orbel_site_column::toggle(v, r.id, r.checked);
        EXPECT_EQ(v.columns, r.columns_after);
        EXPECT_EQ(v.options, r.options_after);
    }
}

TEST(SiteValues, share_check_rules) {
    struct rule {
        bool sharing;
        int32_t options;
        int id;
        bool checked;
        bool sharing_after;
        int32_t options_after;
    };
    const rule rules[] = {
        // Unchecking sharing leaves only "apply" (hidden) as it was.
        {true, 0x8 | 0x10 | 0x20 | 0x40 | 0x1000, 1041, false, false, 0x1000},
        {false, 0, 1041, true, true, 0},
        {false, 0, 1063, true, true, 0x8},
        {false, 0, 1010, true, true, 0x10},
        {false, 0, 1051, true, true, 0x20},
        {false, 0, 1058, true, true, 0x40},
        {false, 0, 1011, true, true, 0x1000},
        {true, 0x8 | 0x20, 1051, false, true, 0x8},
    };
    for (const rule& r : rules) {
        SCOPED_TRACE(testing::Message() << r.id << (r.checked ? " on" : " off"));
        orbel_site_share::values v{r.sharing, r.options};
        orbel_site_share::toggle(v, r.id, r.checked);
        EXPECT_EQ(v.sharing, r.sharing_after);
        EXPECT_EQ(v.options, r.options_after);
    }
}

TEST(SiteValues, opacity_label) {
    EXPECT_EQ(orbel_site_column::opacity_text(0), QStringLiteral("全透明"));
    EXPECT_EQ(orbel_site_column::opacity_text(37), QStringLiteral("37%"));
    EXPECT_EQ(orbel_site_column::opacity_text(100), QStringLiteral("不透明"));
}

TEST(SiteValues, coordinates) {
    using c = orbel_homepage::coordinate;
    struct coordinate_case {
        const char* text;
        int bound;
        c expected;
    };
    const coordinate_case cases[] = {
        {"", 180, c::good},
        {"180.0", 180, c::good},
        {"-180", 180, c::good},
        {"180.5", 180, c::out_of_range},
        {"-180.000001", 180, c::out_of_range},
        {"181", 180, c::out_of_range},
        {"-91", 90, c::out_of_range},
        {"90.000", 90, c::good},
        {"-0.5", 90, c::good},
        {"12.123456789012", 180, c::good},  // 12 fraction digits
        {"12.1234567890123", 180, c::fraction_too_long},
        {"1234567890123456789012345", 180, c::out_of_range},  // would overflow any int
        {"9223372036854775808", 90, c::out_of_range},
        {"4294967297", 90, c::out_of_range},  // wraps to 1 in 32 bits
        {"abc", 180, c::not_a_number},
        {"1.2.3", 180, c::not_a_number},
        {"05", 180, c::not_a_number},
        {"1e2", 180, c::not_a_number},
    };
    for (const coordinate_case& k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(orbel_homepage::check_coordinate(QString::fromUtf8(k.text), k.bound), k.expected);
    }
    EXPECT_EQ(orbel_homepage::coordinate_message(c::not_a_number, true), QStringLiteral("不合法的经度数据！"));
    EXPECT_EQ(orbel_homepage::coordinate_message(c::fraction_too_long, true), QStringLiteral("经度小数部分过长！"));
    EXPECT_EQ(orbel_homepage::coordinate_message(c::out_of_range, true), QStringLiteral("经度数据超出范围！"));
    EXPECT_EQ(orbel_homepage::coordinate_message(c::not_a_number, false), QStringLiteral("不合法的纬度数据！"));
    EXPECT_EQ(orbel_homepage::coordinate_message(c::fraction_too_long, false), QStringLiteral("纬度小数部分过长！"));
    EXPECT_EQ(orbel_homepage::coordinate_message(c::out_of_range, false), QStringLiteral("纬度数据超出范围！"));
    EXPECT_TRUE(orbel_homepage::coordinate_message(c::good, false).isEmpty());
}

TEST(SiteValues, test_page_opens_only_web_addresses) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.com/a", "http://example.com/a"},
        {"HTTPS://example.com", "https://example.com"},
        {"example.com/shop", "http://example.com/shop"},
        {"  www.example.com  ", "http://www.example.com"},
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:me@example.com", nullptr},
        {"ftp://example.com", nullptr},
        {"http://", nullptr},
        {"", nullptr},
    };
    for (const auto& [text, url] : cases) {
        SCOPED_TRACE(text);
        const std::optional<QUrl> got = orbel_homepage::test_url(QString::fromUtf8(text));
        if (!url) {
            EXPECT_FALSE(got.has_value()) << got->toString().toStdString();
            continue;
        }
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(got->toString(), QString::fromUtf8(url));
    }
}

TEST(SiteValues, map_page_for_an_address_or_a_position) {
    orbel_homepage::values v;
    v.address = QStringLiteral(" 北京 路1号 ");
    v.longitude = QStringLiteral("116.4");
    v.latitude = QStringLiteral("39.9");
    QUrl url = orbel_homepage::map_url(v);
    EXPECT_EQ(url.host(), QLatin1String(orbel_map_host));
    EXPECT_EQ(url.toString(QUrl::FullyEncoded),
              QStringLiteral("https://%1/maps?hl=zh&mrt=loc&q=%E5%8C%97%E4%BA%AC%20%E8%B7%AF1%E5%8F%B7")
                  .arg(QLatin1String(orbel_map_host)));
    v.address.clear();
    url = orbel_homepage::map_url(v);
    EXPECT_EQ(url.query(), QStringLiteral("hl=zh&mrt=loc&q=39.9,116.4"));
}

TEST(SiteValues, homepage_collect) {
    vux_desktop_site cached;
    cached.web_address = "http://example.com";
    cached.introduction = orbel_to_utf8(QStringLiteral("第一行\r\n第二行"));
    cached.telephone = "010-1234";
    cached.address = orbel_to_utf8(QStringLiteral("北京"));
    cached.longitude = "116.4";
    cached.latitude = "39.9";
    cached.map_options = 0x1 | 0x10;  // 0x10: not this editor's
    cached.home_picture.assign_bytes("pic", 3);

    struct homepage_case {
        const char* name;
        std::function<void(orbel_homepage::values&)> edit;
        int32_t mask;
    };
    const homepage_case cases[] = {
        {"untouched (the introduction reads back with LF)", [](auto&) {}, 0},
        {"web address emptied", [](auto& v) { v.web_address.clear(); }, 0x80},
        {"every text emptied",
         [](auto& v) {
             v.introduction.clear();
             v.telephone.clear();
             v.address = QStringLiteral("   ");
             v.longitude.clear();
             v.latitude.clear();
         },
         0x2000 | 0x4000 | 0x8000 | 0x20000 | 0x40000},
        {"a line added", [](auto& v) { v.introduction += QStringLiteral("\n第三行"); }, 0x2000},
        {"address with spaces around", [](auto& v) { v.address = QStringLiteral(" 北京 "); }, 0},
        {"map off, locate on",
         [](auto& v) {
             v.map = false;
             v.locate = true;
         },
         0x10000},
        {"picture cleared", [](auto& v) { v.picture.clear(); }, 0x800},
    };
    for (const homepage_case& c : cases) {
        SCOPED_TRACE(c.name);
        orbel_homepage::values v = orbel_homepage::fill(cached);
        EXPECT_FALSE(v.introduction.contains(QLatin1Char('\r')));
        c.edit(v);
        vux_desktop_site update;
        orbel_homepage::collect(v, cached, update);
        EXPECT_EQ(update.change_mask, c.mask) << std::hex << update.change_mask;
        if (c.mask & 0x80) {
            EXPECT_TRUE(update.web_address.empty());
        }
        if ((c.mask & 0x2000) && !v.introduction.isEmpty()) {
            EXPECT_EQ(orbel_to_qstring(update.introduction), QStringLiteral("第一行\r\n第二行\r\n第三行"));
        }
        if (c.mask & 0x10000) {
            EXPECT_EQ(update.map_options, 0x2 | 0x10);  // the bit this editor does not show is kept
        }
        if (c.mask & 0x800) {
            EXPECT_TRUE(update.home_picture.empty());
        }
    }
}

}  // namespace
