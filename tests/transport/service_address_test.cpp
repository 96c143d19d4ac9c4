#include <gtest/gtest.h>
#include <cstdlib>
#include "desktop/transport/orbel_service_address.h"

namespace {

TEST(ServiceAddress, parse) {
    struct row {
        const char* text;
        bool ok;
        const char* host;
        quint16 port;
    } rows[] = {
        {"127.0.0.1:8080", true, "127.0.0.1", 8080},
        {" localhost:1 ", true, "localhost", 1},
        {"cs.example.org:65535", true, "cs.example.org", 65535},
        {"[::1]:9000", true, "::1", 9000},
        {"localhost", false, "", 0},
        {":80", false, "", 0},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:80x", false, "", 0},
        {"host:+80", false, "", 0},
        {"host:-1", false, "", 0},
        {"[::1:80", false, "", 0},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        orbel_service_address a = orbel_service_builtin_address();
        ASSERT_EQ(orbel_parse_service_address(QString::fromLatin1(r.text), a), r.ok);
        if (r.ok) {
            EXPECT_EQ(a.host.toStdString(), r.host);
            EXPECT_EQ(a.port, r.port);
        } else {
            EXPECT_EQ(a.host, QLatin1String(orbel_service_builtin_host));
            EXPECT_EQ(a.port, orbel_service_builtin_port);
        }
        EXPECT_EQ(a.path, QStringLiteral("/cs"));
    }
}

TEST(ServiceAddress, environment_overrides_host_and_port_only) {
    unsetenv(orbel_service_variable);
    orbel_service_address a = orbel_service_address_in_force();
    EXPECT_EQ(a.host, QLatin1String(orbel_service_builtin_host));
    EXPECT_EQ(a.port, 80);
    EXPECT_EQ(a.path, QStringLiteral("/cs"));

    setenv(orbel_service_variable, "127.0.0.1:4711", 1);
    a = orbel_service_address_in_force();
    EXPECT_EQ(a.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(a.port, 4711);
    EXPECT_EQ(a.path, QStringLiteral("/cs"));

    // A value that does not parse leaves the built-in address.
    setenv(orbel_service_variable, "nonsense", 1);
    a = orbel_service_address_in_force();
    EXPECT_EQ(a.host, QLatin1String(orbel_service_builtin_host));
    EXPECT_EQ(a.port, 80);
    unsetenv(orbel_service_variable);
}

}  // namespace
