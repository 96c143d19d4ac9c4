#pragma once
#include <QString>
#include <QtGlobal>

// Where the programs find the service. Every program takes the built-in
// address below; the environment variable QUELLMARK_SERVICE ("host:port",
// "[v6-address]:port") replaces host and port, for tests and the local
// stand-in service. The path stays "/cs" either way.
struct orbel_service_address {
    QString host;
    quint16 port = 0;
    QString path;
};

inline constexpr const char* orbel_service_builtin_host = "cs.quellmark.com";
inline constexpr quint16 orbel_service_builtin_port = 80;
inline constexpr const char* orbel_service_builtin_path = "/cs";
inline constexpr const char* orbel_service_variable = "QUELLMARK_SERVICE";

// The built-in address.
orbel_service_address orbel_service_builtin_address();
// Host and port of a "host:port" text; false (out untouched) for a text that
// has no host, or no port from 1 to 65535.
bool orbel_parse_service_address(const QString& text, orbel_service_address& out);
// The address in force: the built-in one, with host and port taken from
// QUELLMARK_SERVICE when it holds a valid "host:port".
orbel_service_address orbel_service_address_in_force();
