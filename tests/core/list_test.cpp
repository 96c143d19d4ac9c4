#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_integer_list.h"
#include "core/vux_object_list.h"
#include "core/vux_reader.h"
#include "core/vux_string_list.h"
#include "core/vux_writer.h"

namespace {
struct named : vux_object {
    explicit named(std::string n, int32_t code = 0) : name(std::move(n)), code(code) {}
    bool matches(const char* key) const override { return name == key; }
    int32_t type_code() const override { return code; }
    void write(vux_writer& w) const override { w.write_int32(int32_t(name.size())); }
    std::string name;
    int32_t code;
};

std::vector<std::string> items(const vux_string_list& l) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < l.count(); ++i) out.push_back(l.item_at(i).str());
    return out;
}
}  // namespace

TEST(StringList, GrowsFrom128ByDoubling) {
    vux_string_list l;
    EXPECT_EQ(l.capacity(), 0);
    for (int i = 0; i < 128; ++i) l.append_cstr("x");
    EXPECT_EQ(l.capacity(), 128);
    l.append_cstr("y");
    EXPECT_EQ(l.capacity(), 256);
    EXPECT_EQ(l.last().str(), "y");
}

TEST(StringList, SplitLines) {
    struct Case {
        std::string text;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"\xef\xbb\xbf"
         "a\r\n\r\nb\n",
         {"a", "b"}},
        {"one\ntwo", {"one", "two"}},  // last line without a line break is kept
        {"solo", {"solo"}},
        {"", {}},
        {"\r\n\n\r", {}},
        {"a\rb\r\nc", {"a", "b", "c"}},
        {"x\xef"
         "y",
         {"x\xef"
          "y"}},  // 0xEF only ignored at position 0
    };
    for (const auto& c : cases) {
        vux_string_list l;
        l.split_lines(vux_link(c.text.data(), int32_t(c.text.size())));
        EXPECT_EQ(items(l), c.want) << c.text;
    }
    vux_string_list keep;
    keep.append_cstr("old");
    keep.split_lines(vux_link("new", 3));
    EXPECT_EQ(items(keep), (std::vector<std::string>{"old", "new"}));
}

TEST(StringList, EditingAndEquality) {
    vux_string_list l;
    l.append_cstr("abc");
    l.append_unique(vux_string("abc"));
    EXPECT_EQ(l.count(), 1);
    EXPECT_EQ(l.find(vux_string("ab")), -1);
    l.insert_at(0, vux_string("first"));
    l.insert_at(99, vux_string("last"));  // clamped: appends
    l.insert_at(-4, vux_string("zero"));  // clamped: front
    EXPECT_EQ(items(l), (std::vector<std::string>{"zero", "first", "abc", "last"}));
    EXPECT_EQ(l.take_at(1).str(), "first");
    EXPECT_EQ(l.take_at(10).str(), "");
    EXPECT_TRUE(l.remove(vux_string("abc")));
    EXPECT_FALSE(l.remove(vux_string("abc")));
    EXPECT_EQ(l.item_at(-1).str(), "");
    EXPECT_EQ(l.item_at(2).str(), "");
    EXPECT_EQ(l.mutable_item_at(5), nullptr);
    l.append_all(l);
    EXPECT_EQ(items(l), (std::vector<std::string>{"zero", "last", "zero", "last"}));
    vux_string_list copy;
    copy.assign(l);
    EXPECT_EQ(items(copy), items(l));
}

TEST(IntegerList, BoundsAreChecked) {
    vux_integer_list l;
    for (int v : {5, 6, 7}) l.append(v);
    EXPECT_EQ(l.capacity(), 128);
    EXPECT_EQ(l.get(3), 0);
    EXPECT_EQ(l.get(-1), 0);
    EXPECT_FALSE(l.set(3, 1));
    EXPECT_TRUE(l.set(0, 9));
    EXPECT_EQ(l.index_of(7), 2);
    EXPECT_EQ(l.index_of(8), -1);
    EXPECT_EQ(l.remove_at(1), 6);
    EXPECT_EQ(l.remove_at(5), 0);
    EXPECT_EQ(l.get_count(), 2);
    vux_integer_list other;
    other.assign(l);
    EXPECT_EQ(other.values(), (std::vector<int32_t>{9, 7}));
    l.clear();
    EXPECT_EQ(l.get_count(), 0);
    EXPECT_EQ(l.capacity(), 128);
}

TEST(ObjectList, WritesCodesOnlyForCodedItems) {
    vux_object_list l;
    l.append(std::make_unique<named>("ab"));
    l.append(std::make_unique<named>("xyz", 3914));
    vux_buffer out;
    vux_writer w(out);
    l.write(w);
    const std::vector<uint8_t> want = {0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0x0F, 0x4A, 0, 0, 0, 3};
    EXPECT_EQ(std::vector<uint8_t>(out.data(), out.data() + out.length()), want);
}

TEST(ObjectList, OwnershipAndLookup) {
    vux_object_list l;
    l.append(std::make_unique<named>("a"));
    l.append(nullptr);  // refused
    l.insert_at(0, std::make_unique<named>("b"));
    l.insert_at(50, std::make_unique<named>("c"));
    EXPECT_EQ(l.get_count(), 3);
    EXPECT_EQ(l.capacity(), 32);
    EXPECT_EQ(l.find("a"), 1);
    EXPECT_EQ(l.find("zz"), -1);
    EXPECT_EQ(l.get(3), nullptr);
    EXPECT_EQ(l.get(-1), nullptr);
    vux_object* c = l.get(2);
    EXPECT_EQ(l.index_of(c), 2);
    auto taken = l.remove_at(2);
    EXPECT_EQ(taken.get(), c);
    EXPECT_EQ(l.remove_at(7), nullptr);
    EXPECT_EQ(l.get_count(), 2);
    l.delete_all();
    EXPECT_EQ(l.get_count(), 0);
    EXPECT_EQ(l.capacity(), 0);
}

TEST(Lists, ReadsStopAtTheFirstErrorAndBoundCounts) {
    struct Case {
        std::vector<uint8_t> bytes;
        int32_t want_count;
        bool error;
    };
    const Case cases[] = {
        {{0, 0, 0, 2, 0, 0, 0, 1, 'a', 0, 0, 0, 1, 'b'}, 2, false},
        {{0, 0, 0, 2, 0, 0, 0, 1, 'a', 0, 0, 0, 5, 'b'}, 1, true},  // second item truncated
        {{0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, 0, true},            // count far beyond the bytes
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0, false},                       // negative count reads as empty
        {{0, 0}, 0, true},
    };
    for (const auto& c : cases) {
        vux_link src(c.bytes.data(), int32_t(c.bytes.size()));
        vux_reader r(src);
        vux_string_list l;
        l.append_cstr("stale");
        l.read(r);
        EXPECT_EQ(l.count(), c.want_count);
        EXPECT_EQ(r.has_error(), c.error);
    }
    std::vector<uint8_t> ints = {0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 2};
    vux_link src(ints.data(), int32_t(ints.size()));
    vux_reader r(src);
    vux_integer_list il;
    il.read(r);
    EXPECT_TRUE(r.has_error());
    EXPECT_EQ(il.get_count(), 0);  // the count could not fit: nothing read
}

// The object base answers what a class without its own slots answers: no
// clone, no name to match, so a list finds no such item.
TEST(ObjectBase, DefaultsCloneNothingAndMatchNothing) {
    struct bare : vux_object {};
    bare b;
    EXPECT_EQ(b.clone(), nullptr);
    EXPECT_FALSE(b.matches("x"));
    EXPECT_FALSE(b.matches(""));
    EXPECT_EQ(b.type_code(), 0);
    vux_object_list list;
    list.append(std::make_unique<bare>());
    list.append(std::make_unique<bare>());
    EXPECT_EQ(list.find("x"), -1);
    EXPECT_EQ(list.find(""), -1);
}
