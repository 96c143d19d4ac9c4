#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_tea.h"
#include "core/vux_writer.h"
#include "markup/model/vux_condition_list.h"
#include "markup/runtime/vux_environment.h"

namespace {

// "a=1;b=x y" assigns each pair in order.
void setup(vux_environment& env, const std::string& pairs) {
    size_t start = 0;
    while (start < pairs.size()) {
        size_t end = pairs.find(';', start);
        if (end == std::string::npos) end = pairs.size();
        std::string pair = pairs.substr(start, end - start);
        size_t eq = pair.find('=');
        env.assign(vux_string(pair.substr(0, eq)), vux_string(pair.substr(eq + 1)));
        start = end + 1;
    }
}

std::string value_of(const vux_environment& env, const char* name) {
    vux_string v;
    return env.get(vux_string(name), v) ? v.str() : "<absent>";
}

TEST(Environment, AssignOperators) {
    const struct {
        const char* before;
        const char* value;  // assigned to x
        const char* x;      // x afterwards
    } cases[] = {
        {"", "+ 5", "5"},
        {"", "- 5", "-5"},
        {"", "* 5", "<absent>"},
        {"", "/ 5", "<absent>"},
        {"x=7", "/ 0", "7"},
        {"x=7", "/ 2", "3"},
        {"x=-7", "/ 2", "-3"},
        {"x=3", "* 4", "12"},
        {"x=3", "- 10", "-7"},
        {"x=10;y=5", "+ y", "15"},  // an operand that is no number names a variable
        {"x=10;y=5", "+ $ y", "15"},
        {"x=10", "+ nothing", "10"},
        {"x=abc", "+ 2", "2"},                  // a value that is no number counts as 0
        {"x=2147483647", "+ 1", "2147483648"},  // 64-bit arithmetic
        {"x=-2147483648", "/ -1", "2147483648"},
        {"x=-2147483648", "* -1", "2147483648"},
        {"x=500000000000000000", "* 100", "9223372036854775807"},  // saturates
        {"x=-500000000000000000", "* 100", "-9223372036854775808"},
        {"x=00000000", "2 3", "00000008"},
        {"x=0110", "2 1", "0010"},
        {"x=0000000F", "0 0", "0000000e"},
        {"x=00000000", "1 31", "80000000"},
        {"x=00000000", "1 32", "00000001"},  // the bit number is taken mod 32
        {"x=00000000", "1 33", "00000002"},
        {"x=00000003", "0 33", "00000001"},
        {"x=00000000", "2 63", "80000000"},
        {"x=00000000", "1 -1", "80000000"},
        {"x=0000ffff", "3 2", "ffff0000"},
        {"x=1234abcd", "3 0", "00000000"},
        {"x=1234abcd", "3 1", "ffffffff"},
        {"x=0110", "3 1", "1111"},
        {"x=0110", "3 0", "0000"},
        {"x=0110", "3 2", "1001"},  // any other n toggles
        {"x=0110", "3 7", "0110"},  // but n must lie inside the text
        {"x=0110", "1 4", "0110"},  // past the text
        {"x=0110", "0 -1", "0110"},
        {"x=abc", "1 0", "abc"},
        {"", "1 0", "<absent>"},
        {"x=ab", ". cd", "abcd"},
        {"x=ab;y=cd", ". $ y", "abcd"},
        {"", ". cd", "<absent>"},
        {"y=hello", "# y", "hello"},
        {"x=keep", "# missing", "keep"},
        {"x=1", "= 2", "= 2"},  // no such operator: a plain value
        {"", "+ ", "+ "},       // too short for an operator
        {"", "+5", "+5"},
    };
    for (const auto& c : cases) {
        vux_environment env;
        setup(env, c.before);
        env.assign(vux_string("x"), vux_string(c.value));
        EXPECT_EQ(value_of(env, "x"), c.x) << c.before << " | x = " << c.value;
    }
}

TEST(Environment, OperatorResultsAreStoredPlainly) {
    // "+ " is too short to be an operator, so it is stored; appending "1"
    // gives the operator form "+ 1", which must be kept as text, not applied.
    vux_environment env;
    setup(env, "x=+ ");
    env.assign(vux_string("x"), vux_string(". 1"));
    EXPECT_EQ(value_of(env, "x"), "+ 1");
    env.assign(vux_string("y"), vux_string("# x"));
    EXPECT_EQ(value_of(env, "y"), "+ 1");
    for (int i = 0; i < 3; ++i) env.assign(vux_string("x"), vux_string(". 1"));
    EXPECT_EQ(value_of(env, "x"), "+ 1111");
}

TEST(Environment, NamesAndEvaluatedValues) {
    const struct {
        const char* before;
        const char* name;
        const char* expected;
    } cases[] = {
        {"x=$ y;y=v", "x", "v"},
        {"x=$ y", "x", "<absent>"},
        {"y=0000000f;x=^ y", "x", "4"},
        {"y=0000000f;x=~ y", "x", "28"},
        {"y=0110;x=^ y", "x", "2"},
        {"y=01101;x=~ y", "x", "2"},
        {"y=abc;x=^ y", "x", "0"},
        {"y=abc;x=~ y", "x", "0"},
        {"x=^ missing", "x", "0"},
        {"n!=+ 5", "n!", "+ 5"},  // stored as given, read as stored
        {"y=v;n!=$ y", "n!", "$ y"},
        {"p=x;x=v", "$ p", "v"},  // indirect name
        {"p=x", "$ p", "<absent>"},
        {"x=v", "$ q", "<absent>"},
        {"a=$ b;b=$ a", "a", "<absent>"},  // a cycle reads as absent
        {"a=$ a", "a", "<absent>"},
        {"p=$ p", "$ p", "<absent>"},
        {"x=$", "x", "$"},
        {"x=$ ", "x", "$ "},
    };
    for (const auto& c : cases) {
        vux_environment env;
        setup(env, c.before);
        EXPECT_EQ(value_of(env, c.name), c.expected) << c.before << " | " << c.name;
    }
}

TEST(Environment, ReferenceChainsAreBounded) {
    vux_environment env;
    auto chain = [&](int n) {
        env.clear();
        env.assign(vux_string("v0"), vux_string("end"));
        for (int i = 1; i <= n; ++i)
            env.assign(vux_string("v" + std::to_string(i)), vux_string("$ v" + std::to_string(i - 1)));
        return value_of(env, ("v" + std::to_string(n)).c_str());
    };
    EXPECT_EQ(chain(10), "end");
    EXPECT_EQ(chain(200), "<absent>");  // bounded, not a deep recursion
}

TEST(Environment, IndirectAssignAndRemove) {
    vux_environment env;
    setup(env, "p=x");
    env.assign(vux_string("$ p"), vux_string("v"));
    EXPECT_EQ(value_of(env, "x"), "v");
    env.assign(vux_string("$ p"), vux_string("+ 2"));
    EXPECT_EQ(value_of(env, "x"), "2");
    env.assign(vux_string("$ q"), vux_string("v"));  // q absent: nothing
    EXPECT_EQ(env.count(), 2);
    EXPECT_TRUE(env.remove(vux_string("$ p")));
    EXPECT_FALSE(env.contains(vux_string("x")));
    EXPECT_FALSE(env.remove(vux_string("x")));
    EXPECT_FALSE(env.remove(vux_string("$ q")));
    EXPECT_TRUE(env.contains(vux_string("p")));
}

TEST(Environment, HelpersConvertAndPair) {
    vux_environment env;
    env.set_ok(vux_string("k"));
    EXPECT_EQ(value_of(env, "k"), "ok");
    env.set_integer(vux_string("n"), -42);
    int32_t n = 0;
    EXPECT_TRUE(env.get_integer(vux_string("n"), n));
    EXPECT_EQ(n, -42);
    EXPECT_FALSE(env.get_integer(vux_string("k"), n));
    EXPECT_FALSE(env.get_integer(vux_string("absent"), n));

    const char16_t zhong[] = {0x4E2D, 0};
    env.set_unicode(vux_string("u"), vux_unicode(zhong));
    EXPECT_EQ(value_of(env, "u"), "\xE4\xB8\xAD");
    vux_unicode back;
    EXPECT_TRUE(env.get_unicode(vux_string("u"), back));
    EXPECT_EQ(back, vux_unicode(zhong));

    vux_string_list pairs;
    for (const char* s : {"a", "1", "k", "", "b", "+ 3", "dangling"}) pairs.append_cstr(s);
    env.assign_pairs(pairs);
    EXPECT_EQ(value_of(env, "a"), "1");
    EXPECT_EQ(value_of(env, "k"), "<absent>");
    EXPECT_EQ(value_of(env, "b"), "3");
    EXPECT_EQ(value_of(env, "dangling"), "<absent>");
}

TEST(Environment, TeaUsesTheKeyTextOrVariable) {
    vux_environment env;
    const vux_string plain("secret");
    vux_string expected;
    vux_tea(vux_string("0123456789abcdef")).encrypt_to_text(plain, expected);

    EXPECT_TRUE(env.set_tea(vux_string("c1"), vux_string("0123456789abcdef"), plain));
    EXPECT_EQ(value_of(env, "c1"), expected.str());
    env.assign(vux_string("key"), vux_string("0123456789abcdef"));
    EXPECT_TRUE(env.set_tea(vux_string("c2"), vux_string("$ key"), plain));
    EXPECT_EQ(value_of(env, "c2"), expected.str());
    EXPECT_FALSE(env.set_tea(vux_string("c3"), vux_string("$ nokey"), plain));
    EXPECT_FALSE(env.contains(vux_string("c3")));
}

TEST(Environment, Conditions) {
    const struct {
        const char* before;
        int32_t op;
        int32_t scale;
        const char* name;
        const char* value;
        bool holds;
    } cases[] = {
        {"", 0, 0, "x", "", true},
        {"", 1, 0, "x", "", true},
        {"x=1", 1, 0, "x", "", false},
        {"x=1", 2, 0, "x", "", true},
        {"", 2, 0, "x", "", false},
        {"x=5", 3, 0, "x", "5", true},
        {"x=5;y=5", 3, 0, "x", "$ y", true},
        {"", 1, 0, "x", "$ y", false},    // an absent operand variable fails any test
        {"x=10", 3, 1, "x", "5", true},   // (1 + 1) x 5
        {"x=5a", 3, 1, "x", "5a", true},  // no number: not scaled
        {"x=1", 3, 2147483647, "x", "9223372036854775807", false},
        {"x=5", 4, 0, "x", "6", true},
        {"", 4, 0, "x", "6", true},
        {"x=6", 4, 0, "x", "6", false},
        {"x=9", 5, 0, "x", "10", true},    // numbers compare by value
        {"x=9a", 5, 0, "x", "10", false},  // texts byte-wise
        {"x=1.5", 5, 0, "x", "2", true},   // a number beside a text: byte-wise too
        {"x=5", 5, 0, "x", "10a", false},
        {"", 5, 0, "x", "10", true},
        {"x=10", 6, 0, "x", "10", true},
        {"", 6, 0, "x", "10", false},
        {"x=11", 7, 0, "x", "10", true},
        {"x=10", 7, 0, "x", "10", false},
        {"x=10", 8, 0, "x", "10", true},
        {"", 8, 0, "x", "10", true},
        {"x=0110", 9, 0, "x", "1", true},
        {"x=0110", 9, 0, "x", "0", false},
        {"x=0110", 9, 0, "x", "4", false},
        {"x=0110", 9, 0, "x", "-1", false},
        {"x=0110", 9, 0, "x", "a", false},
        {"x=0110", 10, 0, "x", "0", true},
        {"x=0110", 10, 0, "x", "3", true},
        {"", 10, 0, "x", "0", false},
        {"x=12", 11, 0, "x", "", true},
        {"x=012", 11, 0, "x", "", false},
        {"x=13800000000", 14, 0, "x", "", true},
        {"x=a@b.c", 14, 0, "x", "", true},
        {"x=abc", 14, 0, "x", "", false},
        {"", 14, 0, "x", "", false},
        {"x=abc", 15, 0, "x", "", true},
        {"x=a@b.c", 15, 0, "x", "", false},
        {"", 15, 0, "x", "", false},
        {"x=1", 16, 0, "x", "", false},
        {"x=1", -1, 0, "x", "", false},
        {"p=x;x=7", 3, 0, "$ p", "7", true},
    };
    for (const auto& c : cases) {
        vux_environment env;
        setup(env, c.before);
        vux_condition cond;
        cond.op = c.op;
        cond.scale = c.scale;
        cond.name = c.name;
        cond.value = c.value;
        EXPECT_EQ(env.check_condition(cond), c.holds)
            << c.before << " | op " << c.op << " scale " << c.scale << " " << c.name << " ? " << c.value;
    }
}

TEST(Environment, DataNameConditions) {
    vux_environment env;
    env.add_data_name(vux_string("img"));
    setup(env, "p=img;q=other");
    const struct {
        int32_t op;
        const char* name;
        bool holds;
    } cases[] = {
        {13, "img", true},    {12, "img", false},    {13, "$ p", true},    {12, "$ q", true},
        {13, "other", false}, {13, "$ none", false}, {12, "$ none", true},
    };
    for (const auto& c : cases) {
        vux_condition cond;
        cond.op = c.op;
        cond.name = c.name;
        EXPECT_EQ(env.check_condition(cond), c.holds) << c.op << " " << c.name;
    }
    EXPECT_TRUE(env.remove_data_name(vux_string("img")));
    EXPECT_FALSE(env.has_data_name(vux_string("img")));
}

TEST(Environment, ConditionListGroups) {
    // t / f: a condition that holds / fails; a trailing | sets its or-flag.
    const struct {
        const char* list;
        bool holds;
    } cases[] = {
        {"", true},      {"t", true},       {"f", false},       {"f| t", true},    {"t| f", true},
        {"f| f", false}, {"f| f| t", true}, {"f| f| f", false}, {"t| f f", false}, {"t| f t", true},
        {"f f|", false}, {"t f| f|", true}, {"t| t| f", true},  {"f| t| f", true}, {"t f", false},
    };
    vux_environment env;
    for (const auto& c : cases) {
        vux_condition_list list;
        std::string spec = c.list;
        for (size_t i = 0; i < spec.size(); ++i) {
            if (spec[i] == ' ') continue;
            vux_condition& cond = list.add();
            cond.op = spec[i] == 't' ? 0 : 99;
            if (i + 1 < spec.size() && spec[i + 1] == '|') {
                cond.or_next = 1;
                ++i;
            }
        }
        EXPECT_EQ(env.check_conditions(&list), c.holds) << "'" << c.list << "'";
    }
    EXPECT_TRUE(env.check_conditions(nullptr));
}

TEST(Environment, StreamForm) {
    vux_environment env;
    setup(env, "k=ok;x=v;e=;n!=+ 5");
    vux_buffer bytes;
    vux_writer w(bytes);
    env.write(w);
    const std::vector<uint8_t> expected = {
        0, 0, 0, 4,   0,   0,   0, 1, 'k', 0, 0,   0,   4,   'x', ':', ' ', 'v', 0,
        0, 0, 3, 'e', ':', ' ', 0, 0, 0,   7, 'n', '!', ':', ' ', '+', ' ', '5',
    };
    EXPECT_EQ(std::vector<uint8_t>(bytes.data(), bytes.data() + bytes.length()), expected);

    vux_environment back;
    setup(back, "stale=1");
    vux_reader r(bytes);
    back.read(r);
    EXPECT_FALSE(r.has_error());
    EXPECT_EQ(back.count(), 4);
    EXPECT_EQ(value_of(back, "k"), "ok");
    EXPECT_EQ(value_of(back, "x"), "v");
    EXPECT_EQ(value_of(back, "e"), "");
    EXPECT_EQ(value_of(back, "n!"), "+ 5");
    EXPECT_EQ(value_of(back, "stale"), "<absent>");

    for (int32_t n = 0; n < bytes.length(); ++n) {
        vux_link cut(bytes.data(), n);
        vux_reader rc(cut);
        vux_environment partial;
        partial.read(rc);
        EXPECT_TRUE(rc.has_error()) << n;
    }
}

TEST(Environment, StoredOperatorFormsAreNotApplied) {
    // "c: + 5" was written by a store that held "+ 5" in c; reading must
    // not turn it into an addition.
    const std::vector<uint8_t> stream = {0, 0, 0, 1, 0, 0, 0, 6, 'c', ':', ' ', '+', ' ', '5'};
    vux_link view(stream.data(), int32_t(stream.size()));
    vux_reader r(view);
    vux_environment env;
    env.read(r);
    ASSERT_FALSE(r.has_error());
    EXPECT_EQ(env.stored_at(0).str(), "+ 5");
}

}  // namespace
