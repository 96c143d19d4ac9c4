#pragma once
#include <QString>

// Identifiers of the client's string table.
enum orbel_string_id : int {
    orbel_ids_ole_failed = 300,
    orbel_ids_socket_failed = 301,
    orbel_ids_user_empty = 302,
    orbel_ids_password_empty = 303,
    orbel_ids_user_not_email = 304,
    orbel_ids_user_unknown = 305,
    orbel_ids_verify_failed = 306,
    orbel_ids_not_activated = 307,
    // The client's own: the service turned an operation down.
    orbel_ids_refused = 320,
    orbel_ids_app_name = 57344,
    orbel_ids_network_failure = 57345,
    orbel_ids_system_failure = 57346,
};

// The text of a string-table entry; empty for an unknown identifier.
QString orbel_string(int id);
