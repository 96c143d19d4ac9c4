#include "client/manager/orbel_group_rules.h"

#include <algorithm>

#include <Qt>

#include "desktop/records/vux_desktop_group.h"
#include "desktop/records/vux_desktop_site.h"

namespace {

enum class rule { none, base, busy_only, editable, renamable, ready, remindable, deletable };

struct command {
    int id;
    rule needs;
    int32_t column_bit;  // also needed, 0 for none
};

constexpr command commands[] = {
    {1006, rule::busy_only, 0}, {1016, rule::editable, 0},   {1047, rule::editable, 0}, {1009, rule::renamable, 0},
    {1014, rule::ready, 0},     {1007, rule::deletable, 0},  {1065, rule::ready, 0},    {1041, rule::ready, 0x1},
    {1022, rule::ready, 0x40},  {1049, rule::remindable, 0}, {1079, rule::ready, 0x80}, {1096, rule::ready, 0x2},
    {1043, rule::ready, 0x4},   {1020, rule::ready, 0x8},    {1002, rule::base, 0},     {1008, rule::base, 0},
    {1011, rule::base, 0},      {1040, rule::none, 0},       {1091, rule::none, 0},
};

bool holds(rule r, const orbel_group_rules::state& s) {
    switch (r) {
    case rule::none: return true;
    case rule::busy_only: return !s.busy;
    case rule::base: return orbel_group_rules::base(s);
    case rule::editable: return orbel_group_rules::editable(s);
    case rule::renamable: return orbel_group_rules::renamable(s);
    case rule::ready: return orbel_group_rules::ready(s);
    case rule::remindable: return orbel_group_rules::remindable(s);
    case rule::deletable: return orbel_group_rules::deletable(s);
    }
    return false;
}

// Selected, with the site cached and not deleted.
bool live_site(const orbel_group_rules::state& s) {
    return orbel_group_rules::selected(s) && s.site && s.site->publish_state != 2;
}

}  // namespace

bool orbel_group_rules::base(const state& s) { return !s.busy && !s.cache_busy; }

bool orbel_group_rules::selected(const state& s) { return base(s) && s.group; }

bool orbel_group_rules::editable(const state& s) { return live_site(s) && s.group->state != 2; }

bool orbel_group_rules::renamable(const state& s) { return live_site(s) && s.group->state == 0; }

bool orbel_group_rules::ready(const state& s) { return renamable(s) && !s.site->name.empty(); }

bool orbel_group_rules::remindable(const state& s) {
    return ready(s) && s.site->is_complete() && s.site->publish_state == 0;
}

bool orbel_group_rules::deletable(const state& s) { return selected(s) && s.group->state != 1 && s.site; }

bool orbel_group_rules::enabled(int id, const state& s) {
    for (const command& c : commands) {
        if (c.id != id) continue;
        if (!holds(c.needs, s)) return false;
        return c.column_bit == 0 || (s.site->columns & c.column_bit) != 0;
    }
    return true;
}

std::optional<int> orbel_group_rules::list_key_command(int key, bool row_selected) {
    if (!row_selected || (key != Qt::Key_Return && key != Qt::Key_Enter)) return std::nullopt;
    return 1016;
}

const std::vector<int>& orbel_group_rules::command_ids() {
    static const std::vector<int> ids = [] {
        std::vector<int> out;
        for (const command& c : commands) out.push_back(c.id);
        return out;
    }();
    return ids;
}

std::optional<QString> orbel_group_rules::status(const vux_desktop_group& group, const vux_desktop_site& site) {
    if (site.name.empty()) return QStringLiteral("等待编辑");
    if (site.publish_state == 2) return QStringLiteral("已经被删除");
    switch (group.state) {
    case 0:
        if (site.publish_state == 0)
            return site.activated ? QStringLiteral("已经发布") : QStringLiteral("需要用手机激活");
        if (site.publish_state == 1) return QStringLiteral("暂停发布");
        return std::nullopt;
    case 1: return QStringLiteral("等待对方接收");
    case 2: return QStringLiteral("已经移交给对方");
    case 3: return QStringLiteral("可以获取");
    }
    return std::nullopt;
}

int orbel_group_rules::refill_selection(const std::vector<vux_string>& keys, const vux_string& pending,
                                        const vux_string& list_key) {
    const auto row_of = [&keys](const vux_string& key) {
        const auto it = std::find(keys.begin(), keys.end(), key);
        return it == keys.end() ? -1 : int(it - keys.begin());
    };
    return refill_selection(int(keys.size()), row_of, pending, list_key);
}

int orbel_group_rules::refill_selection(int rows, const std::function<int(const vux_string&)>& row_of,
                                        const vux_string& pending, const vux_string& list_key) {
    if (rows <= 0) return -1;
    const vux_string& wanted = !pending.empty() ? pending : list_key;
    if (wanted.empty()) return 0;
    return std::max(row_of(wanted), 0);
}

bool orbel_group_rules::ask_before_delete(const vux_desktop_site& site) {
    return !site.name.empty() || site.managers.entry_count() > 0 || site.members.entry_count() > 0 ||
           site.waiters.entry_count() > 0 || site.news.items.get_count() > 0 || site.notices.items.get_count() > 0 ||
           site.votes.items.get_count() > 0;
}
