#include <gtest/gtest.h>
#include "core/vux_color.h"
#include "core/vux_decimal.h"
#include "core/vux_hex.h"

TEST(Decimal, ParseAndTest) {
    struct Case {
        const char* text;
        bool decimal;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"7", true, 7},
        {"-7", true, -7},
        {"120", true, 120},
        {"-12", true, -12},
        {"007", false, 7},
        {"-0", false, 0},
        {"-", false, 0},
        {"", false, 0},
        {"1a", false, 59},
        {"2147483647", true, INT32_MAX},
        {"99999999999", true, INT32_MAX},  // saturates instead of overflowing
        {"-99999999999999999999999", true, INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vux_decimal::is_decimal(vux_string(c.text)), c.decimal) << c.text;
        EXPECT_EQ(vux_decimal::parse(vux_string(c.text)), c.value) << c.text;
    }
    EXPECT_EQ(vux_decimal::parse64(vux_string("13812345678")), 13812345678LL);
    EXPECT_EQ(vux_decimal::format(-42).str(), "-42");
    EXPECT_EQ(vux_decimal::format_time(5, 7).str(), "05:07");
}

TEST(Hex, ParseFormatAndCount) {
    struct Case {
        std::string text;
        int32_t value;
    };
    const Case cases[] = {
        {"FFFFFFFF", -1}, {"00ff....", 255}, {"1", 1}, {"", 0}, {"abcdef0123", int32_t(0xabcdef01)}, {"0000001A", 26},
    };
    for (const auto& c : cases) EXPECT_EQ(vux_hex::parse(vux_string(c.text.c_str())), c.value) << c.text;
    // Never reads more than it is given.
    const char three[3] = {'f', 'f', 'f'};
    EXPECT_EQ(vux_hex::parse8(three, 3), 0xfff);
    EXPECT_EQ(vux_hex::format(255).str(), "000000ff");
    EXPECT_EQ(vux_hex::format(-1).str(), "ffffffff");
    EXPECT_TRUE(vux_hex::is_hex8(vux_string("0123abCD")));
    EXPECT_FALSE(vux_hex::is_hex8(vux_string("0123abC")));
    EXPECT_FALSE(vux_hex::is_hex8(vux_string("0123abCg")));
    EXPECT_TRUE(vux_hex::is_hex("", 0));
    EXPECT_EQ(vux_hex::count_bits(-1), 32);
    EXPECT_EQ(vux_hex::count_bits(0x80000001), 2);
    EXPECT_EQ(vux_hex::count_bits_of(vux_string("0000000f")), 4);
}

TEST(Color, ParseAndChannels) {
    struct Case {
        const char* text;
        int32_t value;
    };
    for (auto c : {Case{"ff102030", int32_t(0xFF102030)}, Case{"#102030", 0x00102030}, Case{"null", -1},
                   Case{"123456789", 0x23456789}, Case{"", 0}})
        EXPECT_EQ(vux_color::parse(vux_string(c.text)), c.value) << c.text;
    EXPECT_TRUE(vux_color::is_translucent(0x00102030));
    EXPECT_FALSE(vux_color::is_translucent(int32_t(0xFF102030)));
    int32_t c = int32_t(0x80112233);
    EXPECT_EQ(vux_color::alpha(c), 0x80);
    EXPECT_EQ(vux_color::red(c), 0x11);
    EXPECT_EQ(vux_color::green(c), 0x22);
    EXPECT_EQ(vux_color::blue(c), 0x33);
    EXPECT_EQ(vux_color::make_rgb(1, 2, 3), 0x010203);
}
