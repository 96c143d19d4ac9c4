#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/vux_string.h"

class vux_desktop_group;
class vux_desktop_site;

// The site manager's rules, decided without a window: which commands are
// enabled, what the status column says, and which row a refill selects.
struct orbel_group_rules {
    // What the predicates read.
    struct state {
        bool busy = false;        // a request of the site manager is out
        bool cache_busy = false;  // the site cache has a request out
        // The selected row's group, null when no row is selected or its key
        // names no group of the document.
        const vux_desktop_group* group = nullptr;
        // The cached site of that group's key, null when not cached.
        const vux_desktop_site* site = nullptr;
    };

    static bool base(const state& s);
    static bool selected(const state& s);
    static bool editable(const state& s);
    static bool renamable(const state& s);
    static bool ready(const state& s);
    static bool remindable(const state& s);
    static bool deletable(const state& s);

    // Whether the command (button or list id) is enabled; commands of no
    // rule (1040 help, 1091 emulator) always are.
    static bool enabled(int id, const state& s);
    // The ids whose enabled state the idle pass keeps, in button order.
    static const std::vector<int>& command_ids();
    // The command a key pressed in the site list runs: Enter (either key) on
    // a selected row runs "编辑", as a double click on it does; none for
    // other keys, which the list handles itself.
    static std::optional<int> list_key_command(int key, bool row_selected);

    // The "状态" text of a group whose site is cached; none when the column
    // is left as it is.
    static std::optional<QString> status(const vux_desktop_group& group, const vux_desktop_site& site);

    // Whether deleting the site asks "是否删除所选项？" first: a named site,
    // or a never-edited one that already holds contact, news, notice or vote
    // entries. Only a site with nothing in it goes at once.
    static bool ask_before_delete(const vux_desktop_site& site);

    // The row a refill selects among `keys` (in row order): the pending key's
    // row, else the group list's key's row, else the first; the first also
    // when the key looked for is missing; -1 for an empty list.
    static int refill_selection(const std::vector<vux_string>& keys, const vux_string& pending,
                                const vux_string& list_key);
    // The same among `rows` rows, where `row_of` gives a key's first row or -1.
    static int refill_selection(int rows, const std::function<int(const vux_string&)>& row_of,
                                const vux_string& pending, const vux_string& list_key);
};
