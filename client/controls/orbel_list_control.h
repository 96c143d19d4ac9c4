#pragma once
#include <QTreeWidget>
#include <string_view>
#include <unordered_map>

#include "core/vux_string.h"
#include "core/vux_string_list.h"

// A report list whose rows carry, as their UserRole data, the index of their
// key in the control's key list. Presses and double clicks on empty space
// only take the focus, so the selection survives them.
class orbel_list_control : public QTreeWidget {
    Q_OBJECT
public:
    explicit orbel_list_control(QWidget* parent = nullptr);

    // A new row at `position` (clamped to 0..rows) with `text` in column 0;
    // returns its row.
    int insert_row(int position, const vux_string& text);
    // Column 1 of `row`.
    void set_text(int row, const vux_string& text);
    // Adds the key to the key list when absent and stores its index in the row.
    void set_key(const vux_string& key, int row);
    // The key's index in the key list, added when absent (for rows made in bulk).
    int32_t key_index(const vux_string& key);
    // The first row whose data is key index `index`; -1 when none.
    int find_row(int index) const;
    // The first selected row in row order; -1 when none.
    int selected_row() const;

    const vux_string_list& keys() const { return keys_; }
    // The key stored in `row`; empty when the row has none.
    vux_string key_of(int row) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool on_empty_space(QMouseEvent* event);

    vux_string_list keys_;
    // Index of each key in keys_, so long lists are not searched per row. The
    // views look into keys_' own texts, whose blocks stay put as the list grows.
    std::unordered_map<std::string_view, int32_t> index_;
};
