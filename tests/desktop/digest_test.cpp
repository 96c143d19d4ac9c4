#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "desktop/orbel_md5.h"
#include "desktop/orbel_text_utils.h"

TEST(OrbelMd5, Rfc1321Suite) {
    const struct {
        const char* text;
        const char* digest;
    } suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : suite) {
        EXPECT_EQ(orbel_md5_hex(vux_string(c.text)).str(), c.digest) << '"' << c.text << '"';
        vux_string out;
        orbel_md5_hex_of_bytes(vux_string(c.text).as_link(), out);
        EXPECT_EQ(out.str(), c.digest);
    }
}

TEST(OrbelMd5, PiecewiseUpdatesMatchOneShotAcrossBlockEdges) {
    std::string data(200, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 + 3);
    for (size_t n : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 200u}) {
        orbel_md5 one_shot;
        one_shot.update(data.data(), n);
        const auto expected = one_shot.finish();
        for (size_t cut : {size_t(1), size_t(13), n / 2}) {
            orbel_md5 md5;
            for (size_t at = 0; at < n; at += cut) md5.update(data.data() + at, std::min(cut, n - at));
            EXPECT_EQ(md5.finish(), expected) << n << " bytes in pieces of " << cut;
        }
    }
}

TEST(OrbelMd5, AppendingFormKeepsWhatOutHeldAndNewFormIsExactly32) {
    vux_string out("key:");
    orbel_md5_hex_of_string("abc", out);
    EXPECT_EQ(out.str(), "key:900150983cd24fb0d6963f7d28e17f72");
    orbel_md5_hex_of_string("abc", out);
    EXPECT_EQ(out.length(), 4 + 64);
    EXPECT_EQ(orbel_md5_hex(vux_string("\0\x01", 2)).length(), 32);
}

TEST(OrbelMd5, HexFormTest) {
    const std::string good = "900150983cd24fb0d6963f7d28e17f72";
    EXPECT_TRUE(orbel_is_md5_hex(vux_string(good)));
    std::string upper = good;
    upper[5] = 'A';
    const struct {
        std::string text;
        bool ok;
    } cases[] = {
        {good, true},
        {upper, false},
        {good.substr(1), false},
        {good + "0", false},
        {"", false},
        {std::string(32, 'g'), false},
        {std::string(32, '0'), true},
        {good.substr(0, 31) + std::string(1, '\0'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(orbel_is_md5_hex(vux_string(c.text)), c.ok) << c.text;
}

TEST(OrbelIsJpeg, SignaturesAndShortInput) {
    const std::vector<uint8_t> jfif = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    const std::vector<uint8_t> exif = {0xFF, 0xD8, 0xFF, 0xE1, 0, 16, 'E', 'x', 'i', 'f', 0, 0};
    auto with = [](std::vector<uint8_t> v, size_t i, uint8_t b) {
        v[i] = b;
        return v;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool ok;
    } cases[] = {
        {"JFIF", jfif, true},
        {"Exif", exif, true},
        {"JFIF tag with Exif marker", with(jfif, 3, 0xE1), false},
        {"no zero at byte 10", with(jfif, 10, 1), false},
        {"bad start", with(jfif, 1, 0xD9), false},
        {"other marker", with(jfif, 3, 0xDB), false},
        {"ten bytes", std::vector<uint8_t>(jfif.begin(), jfif.end() - 1), false},
        {"empty", {}, false},
    };
    for (const auto& c : cases) {
        // An exact-size heap copy, so reading past the view shows under ASan.
        std::vector<uint8_t> copy(c.bytes);
        EXPECT_EQ(orbel_is_jpeg(vux_link(copy.data(), int32_t(copy.size()))), c.ok) << c.what;
    }
}
