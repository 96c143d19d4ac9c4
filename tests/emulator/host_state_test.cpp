#include "emulator/vux_le_device.h"
#include "emulator/vux_le_persist.h"
#include "emulator/vux_le_resolve_resource_ref.h"

#include <gtest/gtest.h>

#include "client/orbel_test_support.h"

#include <QSettings>
#include <QStandardPaths>
#include <string>

namespace {

TEST(Persist, keys_per_profile) {
    struct row {
        const char* profile;
        int index;
        const char* key;
    } rows[] = {
        {"", 0, "__PRIVATE_000"},
        {"alice", 0, "__PRIVATE_alice_000"},
        {"bob", 7, "__PRIVATE_bob_007"},
        {"a/b\\c%d", 0, "__PRIVATE_a%2Fb%5Cc%25d_000"},
    };
    for (const row& r : rows) {
        vux_le_persist p;
        p.set_profile_name(QString::fromUtf8(r.profile));
        EXPECT_EQ(p.private_key(r.index), QString::fromUtf8(r.key)) << r.profile;
    }
}

TEST(Persist, store_and_location_live_in_the_emulator_group) {
    orbel_test_app();  // the program's one application, with settings of its own
    QSettings("__ORBEL", "Quellmark").clear();

    vux_le_persist p;
    p.set_profile_name("a/b");
    EXPECT_TRUE(p.load_private(0).isEmpty());
    EXPECT_EQ(p.latitude(), "0.000");
    EXPECT_EQ(p.longitude(), "0.000");

    const QByteArray store("\x00\x01\x02\xff", 4);
    ASSERT_TRUE(p.save_private(0, store));
    p.set_location("31.2", "121.5");

    QSettings s("__ORBEL", "Quellmark");
    s.beginGroup("__EMULATOR");
    EXPECT_EQ(s.value("__PRIVATE_a%2Fb_000").toByteArray(), store);
    EXPECT_EQ(s.value("__LATITUDE").toString(), "31.2");
    EXPECT_EQ(s.value("__LONGITUDE").toString(), "121.5");
    EXPECT_FALSE(s.contains("__PRIVATE_a"));

    vux_le_persist other;  // another profile sees nothing
    other.set_profile_name("a");
    EXPECT_TRUE(other.load_private(0).isEmpty());
    EXPECT_EQ(p.load_private(0), store);
}

TEST(Device, client_area_overrides_the_default_size) {
    vux_le_device d;
    d.set_default_size(314, 474);
    EXPECT_EQ(d.screen_width(), 314);
    EXPECT_EQ(d.screen_height(), 474);
    d.areas().add({"other", 0, 0, 10, 10});
    EXPECT_EQ(d.screen_width(), 314);
    d.areas().add({"client", 10, 20, 250, 340});
    EXPECT_EQ(d.screen_width(), 240);
    EXPECT_EQ(d.screen_height(), 320);
}

TEST(Resolver, references_resolve_only_inside_the_blob) {
    std::uint8_t blob[64] = {};
    struct row {
        const char* text;
        long offset;  // -1: nothing
        std::size_t size;
    } rows[] = {
        {"0000001000000020", 16, 32},  // offset 0x10, size 0x20
        {"0000x010000-0020", 16, 32},  // other characters are skipped
        {"00000000000000FF", 0, 0},    // upper case does not count: size 0
        {"_000001000000020", -1, 0},   // leading underscore
        {"000000100000002", -1, 0},    // 15 characters
        {"00000010000000200", -1, 0},  // 17 characters
        {"0000002000000020", 32, 32},  // ends exactly at the blob's end
        {"0000002100000020", -1, 0},   // one past the end
        {"ffffffffffffffff", -1, 0},   // no wrap-around
        {"", -1, 0},
    };
    for (const row& r : rows) {
        const auto piece = vux_le_resolve_resource_ref(r.text, blob, sizeof blob);
        if (r.offset < 0) {
            EXPECT_EQ(piece.bytes, nullptr) << r.text;
            EXPECT_EQ(piece.size, 0u) << r.text;
        } else {
            EXPECT_EQ(piece.bytes, blob + r.offset) << r.text;
            EXPECT_EQ(piece.size, r.size) << r.text;
        }
    }
    EXPECT_EQ(vux_le_resolve_resource_ref("0000001000000020", nullptr, 0).bytes, nullptr);
}

}  // namespace
