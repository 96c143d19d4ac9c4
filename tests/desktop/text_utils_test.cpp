#include <gtest/gtest.h>
#include <string>
#include "desktop/orbel_text_utils.h"

TEST(OrbelDecimal, NumberTest) {
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"0", true},    {"0.5", true},    {"-0.5", true}, {"12.75", true}, {"-3", true},  {"7", true},
        {"100", true},  {"-10.01", true}, {"05", false},  {"-05", false},  {"-0", false}, {".5", false},
        {"5.", false},  {"1.2.3", false}, {"-.5", false}, {"-", false},    {"", false},   {"00.5", false},
        {"1-2", false}, {"--1", false},   {"1a", false},  {" 1", false},   {"+1", false}, {".", false},
    };
    for (const auto& c : cases) EXPECT_EQ(orbel_is_decimal_number(vux_string(c.text)), c.ok) << '"' << c.text << '"';
}

TEST(OrbelDecimal, Split) {
    const struct {
        const char *text, *integer, *fraction;
    } cases[] = {
        {"12.75", "12", "75"}, {"12", "12", ""}, {"1.2.3", "1", "23"}, {".5", "", "5"}, {"", "", ""}, {"5.", "5", ""},
    };
    for (const auto& c : cases) {
        vux_string i("stale"), f("stale");
        orbel_split_decimal(vux_string(c.text), i, f);
        EXPECT_EQ(i.str(), c.integer) << c.text;
        EXPECT_EQ(f.str(), c.fraction) << c.text;
    }
    vux_string same("3.25"), frac;
    orbel_split_decimal(same, same, frac);  // the text is also an output
    EXPECT_EQ(same.str(), "3");
    EXPECT_EQ(frac.str(), "25");
}

TEST(OrbelUrlEncode, Table) {
    const struct {
        std::string text, encoded;
    } cases[] = {
        {" \xE4\xB8\xAD", "%20%E4%B8%AD"},
        {"a-b_c.d~", "a-b_c.d~"},
        {"AZaz09", "AZaz09"},
        {"a/b?c=d&e", "a%2Fb%3Fc%3Dd%26e"},
        {std::string("\0\xFF", 2), "%00%FF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        vux_string out("stale");
        orbel_url_encode(out, vux_string(c.text));
        EXPECT_EQ(out.str(), c.encoded) << c.text;
    }
    vux_string self("a b");
    orbel_url_encode(self, self);
    EXPECT_EQ(self.str(), "a%20b");
}
