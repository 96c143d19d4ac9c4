// The site manager's rules without a window: the command predicates, the
// status column and the row a refill selects.
#include <gtest/gtest.h>

#include "client/manager/orbel_group_rules.h"
#include "desktop/records/vux_desktop_group.h"
#include "desktop/records/vux_desktop_site.h"

namespace {

vux_desktop_group group(int32_t state) {
    vux_desktop_group g;
    g.state = state;
    g.name = "k1";
    g.display_name = "管理名";
    return g;
}

vux_desktop_site site(int32_t publish, int32_t activated, const char* name, int32_t columns = 0) {
    vux_desktop_site s;
    s.publish_state = publish;
    s.activated = activated;
    s.name = name;
    s.columns = columns;
    return s;
}

// The enabled commands, as a sorted list of ids, for one state.
std::vector<int> enabled_ids(const orbel_group_rules::state& s) {
    std::vector<int> out;
    for (int id : orbel_group_rules::command_ids())
        if (orbel_group_rules::enabled(id, s)) out.push_back(id);
    std::sort(out.begin(), out.end());
    return out;
}

TEST(GroupRules, enabled_commands_by_state) {
    const vux_desktop_group own = group(0), offered = group(1), away = group(2), to_us = group(3);
    const vux_desktop_site published = site(0, 1, "站点", 0xff);  // complete, every column
    const vux_desktop_site plain = site(0, 1, "站点");            // no columns
    const vux_desktop_site unnamed = site(0, 1, "", 0xff);
    const vux_desktop_site paused = site(1, 1, "站点", 0xff);
    const vux_desktop_site deleted = site(2, 1, "站点", 0xff);
    const vux_desktop_site inactive = site(0, 0, "站点", 0x1);
    const std::vector<int> always{1040, 1091};
    const std::vector<int> base{1002, 1006, 1008, 1011, 1040, 1091};
    const struct {
        const char* label;
        orbel_group_rules::state s;
        std::vector<int> enabled;
    } cases[] = {
        {"busy", {true, false, &own, &published}, always},
        {"cache busy: create still allowed", {false, true, &own, &published}, {1006, 1040, 1091}},
        {"nothing selected", {false, false, nullptr, nullptr}, base},
        {"own, not cached", {false, false, &own, nullptr}, base},
        {"own, published, all columns",
         {false, false, &own, &published},
         {1002, 1006, 1007, 1008, 1009, 1011, 1014, 1016, 1020, 1022, 1040, 1041, 1043, 1047, 1049, 1065, 1079, 1091,
          1096}},
        {"own, no columns",
         {false, false, &own, &plain},
         {1002, 1006, 1007, 1008, 1009, 1011, 1014, 1016, 1040, 1047, 1049, 1065, 1091}},
        {"own, never edited",
         {false, false, &own, &unnamed},
         {1002, 1006, 1007, 1008, 1009, 1011, 1016, 1040, 1047, 1091}},
        {"own, paused: no reminder",
         {false, false, &own, &paused},
         {1002, 1006, 1007, 1008, 1009, 1011, 1014, 1016, 1020, 1022, 1040, 1041, 1043, 1047, 1065, 1079, 1091, 1096}},
        {"own, not activated: no reminder",
         {false, false, &own, &inactive},
         {1002, 1006, 1007, 1008, 1009, 1011, 1014, 1016, 1040, 1041, 1047, 1065, 1091}},
        {"own, deleted: only delete", {false, false, &own, &deleted}, {1002, 1006, 1007, 1008, 1011, 1040, 1091}},
        {"transfer offered: edit only",
         {false, false, &offered, &published},
         {1002, 1006, 1008, 1011, 1016, 1040, 1047, 1091}},
        {"transferred away: delete only",
         {false, false, &away, &published},
         {1002, 1006, 1007, 1008, 1011, 1040, 1091}},
        {"offered to us: edit and delete",
         {false, false, &to_us, &published},
         {1002, 1006, 1007, 1008, 1011, 1016, 1040, 1047, 1091}},
    };
    for (const auto& c : cases) EXPECT_EQ(enabled_ids(c.s), c.enabled) << c.label;
}

TEST(GroupRules, status_column) {
    const struct {
        int32_t group_state, publish, activated;
        const char* name;
        std::optional<QString> status;
    } cases[] = {
        {0, 0, 1, "", QStringLiteral("等待编辑")},         {3, 2, 1, "", QStringLiteral("等待编辑")},
        {0, 2, 1, "站", QStringLiteral("已经被删除")},     {1, 2, 1, "站", QStringLiteral("已经被删除")},
        {0, 0, 0, "站", QStringLiteral("需要用手机激活")}, {0, 0, 1, "站", QStringLiteral("已经发布")},
        {0, 1, 0, "站", QStringLiteral("暂停发布")},       {0, 5, 1, "站", std::nullopt},
        {1, 0, 1, "站", QStringLiteral("等待对方接收")},   {2, 1, 1, "站", QStringLiteral("已经移交给对方")},
        {3, 0, 0, "站", QStringLiteral("可以获取")},       {4, 0, 1, "站", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_group_rules::status(group(c.group_state), site(c.publish, c.activated, c.name)), c.status)
            << c.group_state << "/" << c.publish << "/" << c.activated << "/" << c.name;
}

TEST(GroupRules, delete_asks_unless_the_site_is_empty) {
    using fill = void (*)(vux_desktop_site&);
    const struct {
        const char* label;
        const char* name;
        fill add;
        bool ask;
    } cases[] = {
        {"never edited, empty", "", [](vux_desktop_site&) {}, false},
        {"named", "站", [](vux_desktop_site&) {}, true},
        {"a manager", "", [](vux_desktop_site& s) { s.managers.entries.resize(vux_desktop_contact::entry_size); },
         true},
        {"a member", "", [](vux_desktop_site& s) { s.members.entries.resize(vux_desktop_contact::entry_size); }, true},
        {"a waiter", "", [](vux_desktop_site& s) { s.waiters.entries.resize(vux_desktop_contact::entry_size); }, true},
        {"news", "", [](vux_desktop_site& s) { s.news.items.add(); }, true},
        {"a notice", "", [](vux_desktop_site& s) { s.notices.items.add(); }, true},
        {"a vote", "", [](vux_desktop_site& s) { s.votes.items.add(); }, true},
    };
    for (const auto& c : cases) {
        vux_desktop_site s = site(0, 0, c.name);
        c.add(s);
        EXPECT_EQ(orbel_group_rules::ask_before_delete(s), c.ask) << c.label;
    }
}

TEST(GroupRules, enter_on_a_selected_row_edits) {
    const struct {
        int key;
        bool selected;
        std::optional<int> command;
    } cases[] = {
        {Qt::Key_Return, true, 1016},        {Qt::Key_Enter, true, 1016},        {Qt::Key_Return, false, std::nullopt},
        {Qt::Key_Space, true, std::nullopt}, {Qt::Key_Down, true, std::nullopt}, {Qt::Key_Delete, true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_group_rules::list_key_command(c.key, c.selected), c.command) << c.key << " " << c.selected;
}

TEST(GroupRules, refill_selection) {
    const std::vector<vux_string> keys{"a", "b", "c"};
    const struct {
        const char* label;
        std::vector<vux_string> keys;
        const char* pending;
        const char* list_key;
        int row;
    } cases[] = {
        {"pending present", keys, "c", "b", 2},
        {"pending gone: first, not the list key", keys, "x", "b", 0},
        {"list key", keys, "", "b", 1},
        {"list key gone", keys, "", "x", 0},
        {"no key", keys, "", "", 0},
        {"empty list", {}, "a", "a", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_group_rules::refill_selection(c.keys, c.pending, c.list_key), c.row) << c.label;
}

}  // namespace
