#pragma once
#include <vector>

#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "desktop/records/vux_desktop_contact.h"

// One contact page's state without a window: the holder (the table as it
// will be exported), the rows the list shows and the page's limit. The page
// widget shows `rows` as they are after each operation.
class orbel_contact_table {
public:
    struct row {
        vux_unicode name;
        vux_string key;
        vux_string shown;
        int icon = 0;
    };
    enum class added { added, unchanged, full };

    explicit orbel_contact_table(int limit) : limit_(limit) {}

    // A byte copy of the table; one row per entry (entries marked 3 or 4
    // are not shown: they are gone from the user's point of view).
    void fill(const vux_desktop_contact& table);

    // Adds (name, value): see orbel_make_contact_key for the key. An entry of
    // the same key whose row has the same name leaves everything as it is;
    // another name replaces it. Nothing happens on a full page.
    added add_one(const vux_unicode& name, const vux_string& value);
    // Deletes the rows (indexes into rows(), any order); the new selected
    // row, -1 when the list is empty.
    int delete_rows(std::vector<int> selected);

    // The row selected after deleting the rows `selected` (ascending, as
    // they were) from a list now `count_after` long: the last deleted
    // position, or the row before it past the end; -1 when none is left.
    static int selection_after_delete(const std::vector<int>& selected, int count_after);

    // The entry a row stands for: the last entry of the key that is not
    // deleted (3) or dropped (4). After a replace the table holds older
    // entries of the same key; only the live one may change state.
    int live_entry(const vux_string& key) const;

    const std::vector<row>& rows() const { return rows_; }
    const vux_desktop_contact& holder() const { return holder_; }
    int limit() const { return limit_; }
    bool full() const { return int(rows_.size()) >= limit_; }

private:
    // The live entry goes: one added here is dropped (4, never sent), one
    // from the service is marked for removal (3).
    void retire(int entry);

    vux_desktop_contact holder_;
    std::vector<row> rows_;
    int limit_;
};
