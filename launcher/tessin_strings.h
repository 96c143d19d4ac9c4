#pragma once
#include <QIcon>
#include <QString>

// The launcher's string table. The client keeps its own table with other
// texts under some of the same numbers, so the two are not shared.
enum tessin_string_id : int {
    tessin_ids_network_init = 300,
    tessin_ids_start_failure = 301,
    tessin_ids_app_title = 57344,
    tessin_ids_network_failure = 57345,
    tessin_ids_update_failure = 57346,
};

// The text of a table entry; empty for a number the table does not hold.
QString tessin_load_string(int id);

// Icon 128, which both dialogs show large and small.
QIcon tessin_icon();
