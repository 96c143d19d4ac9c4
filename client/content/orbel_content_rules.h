#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/vux_string.h"

// The rules of the news, notice and vote lists and their add dialogs,
// without windows.
struct orbel_content_rules {
    static constexpr int max_items = 50;    // per list
    static constexpr int max_options = 32;  // per vote
    static constexpr int picture_width = 640, picture_height = 960;

    // Adding is refused once the list shows max_items rows.
    static bool can_add(int rows) { return rows < max_items; }
    // The state a deleted item takes: an item added here (1) was never sent
    // and is dropped (4); any other is sent as deleted (3).
    static int32_t deleted_state(int32_t state) { return state == 1 ? 4 : 3; }
    // The row selected after removing `removed`, with `rows` rows left; -1 when none.
    static int selection_after_remove(int removed, int rows) {
        return rows <= 0 ? -1 : (removed < rows ? removed : rows - 1);
    }

    // The key of a new item: the list's next counter value whose key the
    // list does not hold yet (a counter behind the held keys would repeat one).
    template <class List>
    static vux_string take_key(List& list) {
        vux_string key;
        // At most one try more than there are items: one of them is free.
        for (int32_t i = 0; i <= list.items.get_count(); ++i) {
            list.take_next_key(key);
            if (list.find_by_key(key) < 0) break;
        }
        return key;
    }

    static bool news_ok(const QString& title, const QString& content) {
        return !title.trimmed().isEmpty() && !content.trimmed().isEmpty();
    }
    static bool notice_ok(const QString& content) { return !content.trimmed().isEmpty(); }
    // A number edit's value; false for anything but an optional sign and digits that fit.
    static bool read_number(const QString& text, int32_t& value);
    // Content, at least two options, maximum selections 1 to the number of
    // options and valid days 0 or more.
    static bool vote_ok(const QString& content, int options, const QString& max_selections, const QString& valid_days);

    // Option buttons: add while fewer than 32; delete while one is selected;
    // up unless the first; down unless the last.
    static bool can_add_option(int options) { return options < max_options; }
    static bool can_delete_option(int selected) { return selected >= 0; }
    static bool can_move_up(int selected) { return selected > 0; }
    static bool can_move_down(int selected, int options) { return selected >= 0 && selected < options - 1; }
    // A new option name (trimmed) is taken when it is not empty and no option
    // begins with it, letter case aside.
    static bool option_acceptable(const QStringList& options, const QString& name);
};
