#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <vector>
#include "core/vux_link.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"

TEST(String, CapacityFollowsBuildAndGrowthRules) {
    std::string bytes(300, 'x');
    vux_string s(bytes.data(), 300);
    EXPECT_EQ(s.capacity(), 512);
    EXPECT_EQ(vux_string().capacity(), 0);

    vux_string t(std::string(256, 'a').c_str());
    EXPECT_EQ(t.capacity(), 256);
    t.append('b');
    EXPECT_EQ(t.length(), 257);
    EXPECT_EQ(t.capacity(), 264);
    EXPECT_EQ(t.data()[257], 0);

    vux_unicode u;
    for (int i = 0; i < 257; ++i) u.append_unit(u'a');
    EXPECT_EQ(u.capacity(), 260);
}

TEST(String, HashIsAdlerWithoutTopBit) {
    EXPECT_EQ(vux_string("abc").hash(), 0x024D0127);
    EXPECT_EQ(vux_string().hash(), 1);
    std::string big(100000, '\xff');
    int32_t h = vux_string(big.data(), int32_t(big.size())).hash();
    EXPECT_GE(h, 0);
}

TEST(String, EqualityComparesAllBytes) {
    vux_string a("ab\0c", 4), b("ab\0d", 4), c("ab", 2);
    EXPECT_FALSE(vux_string_equal(a, b));
    EXPECT_FALSE(vux_string_equal(a, c));
    EXPECT_TRUE(vux_string_equal(a, vux_string("ab\0c", 4)));
    EXPECT_TRUE(vux_string_equals_cstr(c, "ab"));
}

TEST(String, AccessorsOutOfRangeAreClamped) {
    vux_string s("hello");
    EXPECT_EQ(s.byte_at(-1), 0);
    EXPECT_EQ(s.byte_at(5), 0);
    EXPECT_EQ(s.byte_at(1000000), 0);
    struct Case {
        int32_t pos, len;
        const char* want;
    };
    for (auto c : {Case{1, 3, "ell"}, Case{-5, 2, "he"}, Case{3, 100, "lo"}, Case{5, 1, ""}, Case{99, 1, ""},
                   Case{0, -1, ""}, Case{2, INT32_MAX, "llo"}})
        EXPECT_EQ(s.substring(c.pos, c.len).str(), c.want) << c.pos << "," << c.len;
    EXPECT_EQ(s.left(100).str(), "hello");
    EXPECT_EQ(s.left(-3).str(), "");
    EXPECT_EQ(s.right(2).str(), "lo");
    EXPECT_EQ(s.right(100).str(), "hello");
    EXPECT_FALSE(s.truncate(6));
    EXPECT_TRUE(s.truncate(2));
    EXPECT_EQ(s.str(), "he");
}

TEST(String, FindAndPrefix) {
    vux_string s("abcabc");
    EXPECT_EQ(s.find(vux_string("ca")), 2);
    EXPECT_EQ(s.find(vux_string("")), -1);
    EXPECT_EQ(vux_string().find(vux_string("a")), -1);
    EXPECT_EQ(s.find(vux_string("abcabcd")), -1);
    EXPECT_EQ(s.find_char('c', 3), 5);
    EXPECT_EQ(s.find_char('c', 6), -1);
    EXPECT_TRUE(s.starts_with(vux_string("abc")));
    EXPECT_FALSE(s.starts_with(vux_string("")));
    EXPECT_FALSE(vux_string("ab").starts_with(vux_string("abc")));
    vux_string mixed("aBc1Z");
    EXPECT_EQ(vux_string(mixed).to_upper().str(), "ABC1Z");
    EXPECT_EQ(vux_string(mixed).to_lower().str(), "abc1z");
    EXPECT_EQ((vux_string("ab") + "cd").str(), "abcd");
    EXPECT_EQ(("x" + vux_string("y")).str(), "xy");
}

// Two decimal texts compare as numbers; any other pair byte-wise as
// 0-terminated text, so a decimal and a non-decimal text meet as bytes.
TEST(String, LessOrdersDecimalsByValueAndAllElseAsBytes) {
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const Case cases[] = {
        {"9", "10", true},
        {"10", "9", false},
        {"-2", "-10", false},
        {"-10", "-2", true},
        {"abc", "abd", true},
        {"10", "9a", true},  // '9a' sorts after '10'
        {"9a", "10", false},
        {"1.5", "2", true},
        {"5", "10a", false},
        {"10a", "5", true},
        {"13812345678", "9", false},
        {"9", "13812345678", true},
        {"99999999999999999999", "100000000000000000000", true},
        {"-5", "3", true},
        {"0", "-1", false},
        {"7", "7", false},
        {"007", "7", true},
        {"-", "-3", true},
        {"", "a", true},
        {"a", "", false},
        {"a", "\xff", true},  // unsigned bytes
        {"\xff", "a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vux_string_less(vux_string(c.a), vux_string(c.b)), c.less) << c.a << " < " << c.b;
    // Bytes after a 0 take no part.
    EXPECT_FALSE(vux_string_less(vux_string("a\0z", 3), vux_string("a")));
    EXPECT_FALSE(vux_string_less(vux_string("a"), vux_string("a\0z", 3)));
    EXPECT_TRUE(vux_string_greater(vux_string("10"), vux_string("9")));
    EXPECT_TRUE(vux_string_greater(vux_string("9a"), vux_string("10")));
    EXPECT_TRUE(vux_string_less_equal(vux_string("9"), vux_string("9")));
    EXPECT_FALSE(vux_string_less_equal(vux_string("5"), vux_string("10a")));
    EXPECT_TRUE(vux_string_greater_equal(vux_string("b"), vux_string("a")));
    EXPECT_FALSE(vux_string_greater_equal(vux_string("1.5"), vux_string("2")));
}

// Among decimal texts alone, and among the others alone, the order is a
// strict weak one that sorts every permutation alike (mixed, it is not:
// '2' < '10' < '1a' < '2').
TEST(String, LessIsAStrictWeakOrderWithinEachKind) {
    struct Kind {
        std::vector<const char*> texts;
        const char* first;
    };
    const Kind kinds[] = {
        {{"10", "9", "-3", "0", "13800000000", "2", "1", "-10", "99999999999"}, "-10"},
        {{"1a", "abc", "", "-", "007", "9a", "-0", "Z", "1.5", "\xff"}, ""},
    };
    for (const auto& kind : kinds) {
        std::vector<vux_string> texts;
        for (const char* t : kind.texts) texts.emplace_back(t);
        for (auto& a : texts) {
            EXPECT_FALSE(vux_string_less(a, a));
            for (auto& b : texts) {
                if (vux_string_less(a, b)) {
                    EXPECT_FALSE(vux_string_less(b, a));
                }
                for (auto& c : texts) {
                    if (vux_string_less(a, b) && vux_string_less(b, c)) {
                        EXPECT_TRUE(vux_string_less(a, c)) << a.str() << "<" << b.str() << "<" << c.str();
                    }
                }
            }
        }
        std::vector<vux_string> first = texts;
        std::stable_sort(first.begin(), first.end(), vux_string_less);
        std::mt19937 rng(7);
        for (int round = 0; round < 20; ++round) {
            std::vector<vux_string> again = texts;
            std::shuffle(again.begin(), again.end(), rng);
            std::stable_sort(again.begin(), again.end(), vux_string_less);
            for (size_t i = 0; i < again.size(); ++i) EXPECT_TRUE(vux_string_equal(again[i], first[i]));
        }
        EXPECT_EQ(first.front().str(), kind.first);
    }
}

TEST(String, TextTests) {
    struct Case {
        const char* text;
        bool want;
    };
    for (auto c :
         {Case{"a@b.c", true}, Case{"a..b@c.d", false}, Case{"a@b..c", false}, Case{".a@b.c", false},
          Case{"a.@b.c", false}, Case{"a@.b.c", false}, Case{"a@b.c.", false}, Case{"a@bc", false}, Case{"ab.c", false},
          Case{"@b.c", false}, Case{"a b@c.d", false}, Case{"a@b@c.d", false}, Case{"a(b@c.d", false},
          Case{"first.last@example.com", true}, Case{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa@bbbb.cc", false},  // 41 bytes
          Case{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa@bbbb.cc", true}})                                         // 40 bytes
        EXPECT_EQ(vux_string(c.text).is_email_address(), c.want) << c.text;
    EXPECT_FALSE(vux_string("a\x80@b.c").is_email_address());

    for (auto c : {Case{"12345678901", true}, Case{"22345678901", false}, Case{"1234567890a", false},
                   Case{"1234567890", false}, Case{"123456789012", false}})
        EXPECT_EQ(vux_string(c.text).is_mobile_number(), c.want) << c.text;

    std::string letters65(65, 'a'), letters64(64, 'a');
    for (auto c : {Case{"a_b.c", true}, Case{"_ab", false}, Case{"", false}, Case{letters65.c_str(), false},
                   Case{letters64.c_str(), true}, Case{".a", false}, Case{"a-b", false}})
        EXPECT_EQ(vux_string(c.text).is_identifier(), c.want) << c.text;

    EXPECT_TRUE(vux_string("0101").is_binary_digits());
    EXPECT_TRUE(vux_string("").is_binary_digits());
    EXPECT_FALSE(vux_string("012").is_binary_digits());
    EXPECT_EQ(vux_string("1101").count_ones(), 3);
}

TEST(Unicode, ValidNames) {
    struct Case {
        const char16_t* text;
        bool want;
    };
    for (auto c : {Case{u"Li Lei", true}, Case{u"Jr. Li", true}, Case{u" Li", false}, Case{u"Li ", false},
                   Case{u"Li  Lei", false}, Case{u"Li .x", false}, Case{u"Li.x", false}, Case{u"Li.", true},
                   Case{u".Li", false}, Case{u"李雷", true}, Case{u"a-b", false}, Case{u"", false},
                   Case{u"abcdefghijklmnopqrstuvw", true}, Case{u"abcdefghijklmnopqrstuvwx", false}})
        EXPECT_EQ(vux_unicode(c.text).is_valid_name(), c.want);
}

TEST(Unicode, Utf8RoundTripsEveryPlane) {
    struct Case {
        const char16_t* text;
        std::string utf8;
    };
    const Case cases[] = {
        {u"A", "A"},
        {u"\u00e9", "\xc3\xa9"},
        {u"\u4e2d", "\xe4\xb8\xad"},
        // Outside the basic plane each surrogate is its own three-byte
        // sequence, as the service reads them.
        {u"\U0001F600", "\xed\xa0\xbd\xed\xb8\x80"},
        {u"x\U00010000y", "x\xed\xa0\x80\xed\xb0\x80y"},
        {u"\xdc00"
         u"z",
         "\xed\xb0\x80"
         "z"},  // a lone surrogate too
    };
    for (const auto& c : cases) {
        vux_unicode u(c.text);
        EXPECT_EQ(u.to_utf8_string().str(), c.utf8);
        vux_string s(c.utf8.data(), int32_t(c.utf8.size()));
        vux_unicode back;
        EXPECT_EQ(s.decode_utf8_into(back), s.length());
        EXPECT_TRUE(vux_unicode_equal(back, u));
    }
}

TEST(Unicode, Utf8DecodingIsSafeOnBadInput) {
    // A surrogate pair written as two three-byte sequences is accepted.
    vux_string cesu("\xed\xa0\xbd\xed\xb8\x80");
    vux_unicode u = cesu.to_unicode();
    ASSERT_EQ(u.length(), 2);
    EXPECT_EQ(u.unit_at(0), 0xD83D);
    EXPECT_EQ(u.unit_at(1), 0xDE00);
    // Cut-off sequences and stray bytes are skipped; nothing past the end is read.
    struct Case {
        std::string bytes;
        std::u16string want;
    };
    const Case cases[] = {
        {"\xe4\xb8", u""},
        {"a\xe4", u"a"},
        {"\x80"
         "b",
         u"b"},
        {"\xf0\x9f\x98", u""},
        {"\xff\xfe"
         "c",
         u"c"},
        {"\xc3", u""},
        // Overlong forms are invalid bytes too, never the character they spell.
        {std::string("a\xc0\x80"
                     "b",
                     4),
         u"ab"},
        {"\xc1\xbf", u""},
        {"\xe0\x80\xaf", u""},
        {"\xe0\x9f\xbf", u""},
        {"\xf0\x8f\xbf\xbf", u""},
        // The shortest forms at each boundary still decode.
        {"\xc2\x80", u"\u0080"},
        {"\xe0\xa0\x80", u"\u0800"},
        {"\xf0\x90\x80\x80", u"\U00010000"},
    };
    for (const auto& c : cases) {
        std::vector<char> exact(c.bytes.begin(), c.bytes.end());  // no terminator behind it
        vux_string s(exact.data(), int32_t(exact.size()));
        vux_unicode out;
        EXPECT_EQ(s.decode_utf8_into(out), int32_t(exact.size()));
        EXPECT_EQ(std::u16string(out.view()), c.want);
    }
}

TEST(Unicode, EditingOperations) {
    vux_unicode u(u"bc");
    u.prepend_unit(u'a');
    EXPECT_EQ(std::u16string(u.view()), u"abc");
    EXPECT_EQ(u.append_unit(u'd'), 4);
    EXPECT_EQ(u.find_unit(u'c'), 2);
    EXPECT_EQ(u.find_unit(u'z'), -1);
    EXPECT_EQ(u.unit_at(99), 0);
    EXPECT_TRUE(u.set_length(1));
    EXPECT_FALSE(u.set_length(100000));
    EXPECT_EQ(std::u16string(u.view()), u"a");
}

TEST(Link, Utf8AndGb2312Tests) {
    struct Case {
        std::string bytes;
        bool utf8, gb;
    };
    const Case cases[] = {
        {"", true, true},
        {"abc", true, true},
        {"\xe4\xb8\xad", true, false},
        {"\xd6\xd0\xce\xc4", false, true},
        {"\xe4\xb8", false, true},
        {"\xf0\x9f\x98\x80", true, false},
        {"\xb0", false, false},
    };
    for (const auto& c : cases) {
        vux_link v(c.bytes.data(), int32_t(c.bytes.size()));
        EXPECT_EQ(v.is_utf8(), c.utf8) << c.bytes;
        EXPECT_EQ(v.is_gb2312(), c.gb) << c.bytes;
    }
}
