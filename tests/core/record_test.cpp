#include <gtest/gtest.h>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_record.h"
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "core/vux_writer.h"

namespace {
struct leaf : vux_record {
    const char* class_name() const override { return "leaf"; }
    void fields(vux_field_visitor& v) override {
        v.int32("n", n);
        v.string("s", s);
    }
    int32_t n = 0;
    vux_string s;
};

// A typed node: code 1000 holds children of its own kind, nesting without bound.
struct node : vux_record {
    int32_t type_code() const override { return 1000; }
    const char* class_name() const override { return "node"; }
    void fields(vux_field_visitor& v) override;
    static std::unique_ptr<vux_record> make(int32_t code) {
        if (code == 1000) return std::make_unique<node>();
        return nullptr;
    }
    int16_t small = 0;
    uint8_t flag = 0;
    std::unique_ptr<node> next;
    vux_object_list kids;
};
const vux_record_factory node_factory{true, &node::make};
void node::fields(vux_field_visitor& v) {
    v.int16("small", small);
    v.byte("flag", flag);
    v.child_as("next", next, node_factory);
    v.records("kids", kids, node_factory);
}

struct holder : vux_record {
    const char* class_name() const override { return "holder"; }
    void fields(vux_field_visitor& v) override {
        v.int32("id", id);
        v.unicode("name", name);
        v.bytes("blob", blob);
        v.strings("tags", tags);
        v.integers("counts", counts);
        v.record("inner", inner);
        items.visit(v, "items");
        v.child("tree", tree, node_factory);
    }
    int32_t id = 0;
    vux_unicode name;
    vux_buffer blob;
    vux_string_list tags;
    vux_integer_list counts;
    leaf inner;
    vux_record_list<leaf> items;
    std::unique_ptr<vux_record> tree;
};

std::vector<uint8_t> encode(const vux_record& r) {
    vux_buffer b;
    vux_writer w(b);
    r.write(w);
    return {b.data(), b.data() + b.length()};
}

holder populated() {
    holder h;
    h.id = 7;
    h.name.assign(u"\u674e\u96f7");
    h.blob.append_cstr("\x01\x02");
    h.tags.append_cstr("a");
    h.tags.append_cstr("b");
    h.counts.append(-1);
    h.inner.n = 3;
    h.inner.s.assign("in");
    h.items.add().n = 1;
    h.items.add().s.assign("two");
    auto t = std::make_unique<node>();
    t->small = -2;
    t->flag = 9;
    t->next = std::make_unique<node>();
    t->kids.append(std::make_unique<node>());
    h.tree = std::move(t);
    return h;
}
}  // namespace

TEST(Record, OneFieldListDrivesWriteReadAndCopy) {
    holder h = populated();
    auto bytes = encode(h);
    vux_link src(bytes.data(), int32_t(bytes.size()));
    vux_reader r(src);
    holder back;
    back.read(r);
    EXPECT_FALSE(r.has_error());
    EXPECT_EQ(r.remaining(), 0);
    EXPECT_EQ(encode(back), bytes);
    EXPECT_EQ(back.items.at(1)->s.str(), "two");

    holder copy;
    copy.copy_from(h);
    EXPECT_EQ(encode(copy), bytes);
    auto cloned = vux_clone_record(h);
    EXPECT_EQ(encode(*cloned), bytes);

    // Copying a list onto itself doubles it once (and ends).
    vux_record_list<leaf>::append_copies_to(h.items, h.items);
    EXPECT_EQ(h.items.get_count(), 4);
    EXPECT_EQ(h.items.at(3)->s.str(), "two");
}

TEST(Record, EveryTruncationFailsCleanly) {
    auto bytes = encode(populated());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
        vux_link src(part.data(), int32_t(part.size()));
        vux_reader r(src);
        holder h;
        h.read(r);
        EXPECT_TRUE(r.has_error()) << cut;
    }
}

TEST(Record, UnknownCodeInATypedListFailsTheRead) {
    holder h = populated();
    auto bytes = encode(h);
    // The tree marker 1000 (00 00 03 E8) is the first occurrence of that code.
    for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
        if (bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 0x03 && bytes[i + 3] == 0xE8) {
            bytes[i + 3] = 0xE9;
            break;
        }
    }
    vux_link src(bytes.data(), int32_t(bytes.size()));
    vux_reader r(src);
    holder back;
    back.read(r);
    EXPECT_TRUE(r.has_error());
    EXPECT_EQ(back.tree, nullptr);
}

TEST(Record, NestingDeeperThanTheLimitFails) {
    auto chain = [](int depth) {
        auto root = std::make_unique<node>();
        node* at = root.get();
        for (int i = 1; i < depth; ++i) {
            at->next = std::make_unique<node>();
            at = at->next.get();
        }
        return root;
    };
    for (int depth : {vux_reader::max_depth, vux_reader::max_depth + 1, 1000}) {
        auto root = chain(depth);
        vux_buffer b;
        vux_writer w(b);
        w.write_int32(1000);
        root->write(w);
        vux_reader r(b);
        std::unique_ptr<vux_record> back;
        vux_field_reader fr(r);
        fr.child("root", back, node_factory);
        EXPECT_EQ(r.has_error(), depth > vux_reader::max_depth) << depth;
        // Let long chains go without deep recursion in the destructor.
        while (root && root->next) root = std::move(root->next);
    }
}

// A copy that cannot be read back whole says so instead of coming back
// partly filled.
TEST(Record, CopyPastTheNestingLimitReportsFailure) {
    auto root = std::make_unique<node>();
    node* at = root.get();
    for (int i = 1; i <= vux_reader::max_depth + 1; ++i) {
        at->next = std::make_unique<node>();
        at = at->next.get();
    }
    node copy;
    EXPECT_FALSE(copy.copy_from(*root));
    EXPECT_EQ(vux_clone_record(*root), nullptr);
    EXPECT_TRUE(copy.copy_from(*root->next->next));  // within the limit
    while (root && root->next) root = std::move(root->next);
}

namespace {
struct counted : vux_record {
    counted() { ++made; }
    const char* class_name() const override { return "counted"; }
    void fields(vux_field_visitor& v) override { v.int32("n", n); }
    int32_t n = 0;
    static inline int made = 0;
};
struct counted_list : vux_record {
    const char* class_name() const override { return "counted_list"; }
    void fields(vux_field_visitor& v) override { items.visit(v, "items"); }
    vux_record_list<counted> items;
};
}  // namespace

// The least size of a plain list item is worked out once per class, not by a
// probe record at every list read.
TEST(Record, PlainListReadsMakeOnlyTheirItems) {
    counted_list list;
    list.items.add();
    list.items.add();
    vux_buffer b;
    vux_writer w(b);
    list.write(w);
    counted_list first;
    vux_reader r1(b);
    first.read(r1);  // may work out the least size
    const int before = counted::made;
    for (int i = 0; i < 3; ++i) {
        counted_list back;
        vux_reader r(b);
        back.read(r);
        ASSERT_FALSE(r.has_error());
    }
    EXPECT_EQ(counted::made - before, 3 * 2);
}

TEST(Record, HugeCountOfPlainRecordsIsRefusedBeforeAllocating) {
    std::vector<uint8_t> bytes = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // id, name, blob, tags, counts
    bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0, 0});          // inner
    bytes.insert(bytes.end(), {0x10, 0, 0, 0, 0, 0, 0, 0});       // items: 2^28
    vux_link src(bytes.data(), int32_t(bytes.size()));
    vux_reader r(src);
    holder h;
    h.read(r);
    EXPECT_TRUE(r.has_error());
    EXPECT_EQ(h.items.get_count(), 0);
}

TEST(RecordDump, JsonKeepsWireOrder) {
    leaf l;
    l.n = -4;
    l.s.assign("q\"\n");
    EXPECT_EQ(vux_record_dump::to_json(l), R"({"class":"leaf","type":0,"fields":{"n":-4,"s":"q\"\n"}})");
    leaf bad;
    bad.s.assign("\xe4\xb8\xad\xff\xe4");
    EXPECT_EQ(vux_record_dump::to_json(bad),
              "{\"class\":\"leaf\",\"type\":0,\"fields\":{\"n\":0,\"s\":\"\xe4\xb8\xad\\u00ff\\u00e4\"}}");
    holder h = populated();
    std::string json = vux_record_dump::to_json(h);
    EXPECT_NE(json.find(R"("blob":"0102")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("tags":["a","b"])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("name":"李雷")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("items":[{"class":"leaf","type":0,"fields":{"n":1,"s":""}},{"class")"), std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("next":{"class":"node","type":1000,"fields":{"small":0,"flag":0,"next":null,"kids":[]}})"),
              std::string::npos)
        << json;
    std::string text = vux_record_dump::to_text(h);
    EXPECT_NE(text.find("inner: leaf"), std::string::npos) << text;
}

// The builder is the dumper's inverse for every field kind, including texts
// that are not UTF-8, negative numbers, typed children and lists.
TEST(RecordBuild, BuildsWhatTheDumperWrote) {
    holder h = populated();
    h.id = -2147483647 - 1;
    h.inner.s.assign("\xe4\xb8\xad\xff\x01\"\\/");
    std::string error;
    holder back;
    ASSERT_TRUE(vux_record_build::from_json(vux_record_dump::to_json(h), back, &error)) << error;
    EXPECT_EQ(encode(back), encode(h));

    // A field left out keeps its default; keys may come in any order.
    leaf l;
    l.n = 5;
    ASSERT_TRUE(vux_record_build::from_json(R"({"fields":{"s":"\u674e\ud83d\ude00"},"class":"leaf"})", l, &error));
    EXPECT_EQ(l.n, 5);
    EXPECT_EQ(l.s.view(), "\xe6\x9d\x8e\xf0\x9f\x98\x80");
}

TEST(RecordBuild, RefusesWhatDoesNotFitTheRecord) {
    const char* bad[] = {
        "",
        R"({"class":"holder","fields":{"id":1})",                            // unterminated
        R"({"class":"holder","fields":{}} x)",                               // text after the value
        R"({"class":"node","fields":{}})",                                   // another class
        R"({"class":"holder","type":3,"fields":{}})",                        // another type
        R"({"class":"holder","fields":{"m":1}})",                            // unknown field
        R"({"class":"holder","fields":{"id":"1"}})",                         // wrong kind
        R"({"class":"holder","fields":{"id":2147483648}})",                  // out of range
        R"({"class":"holder","fields":{"id":1.5}})",                         // not whole
        R"({"class":"holder","fields":{"name":"\ud800"}})",                  // unpaired surrogate
        R"({"class":"holder","fields":{"blob":"0g"}})",                      // not hex
        R"({"class":"holder","fields":{"blob":"012"}})",                     // odd digits
        R"({"class":"holder","fields":{"counts":[1,"a"]}})",                 // list item of the wrong kind
        R"({"class":"holder","fields":{"tree":{"type":999,"fields":{}}}})",  // no such code
        R"({"class":"holder","fields":{"tree":{"type":1000,"fields":{"small":40000}}}})",
        R"({"class":"holder","fields":{"items":[{"fields":{"x":1}}]}})",  // unknown field in an item
    };
    for (const char* text : bad) {
        holder h;
        std::string error;
        EXPECT_FALSE(vux_record_build::from_json(text, h, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    // Nesting deeper than the parser takes is refused, not recursed into.
    std::string deep(100000, '[');
    leaf l;
    EXPECT_FALSE(vux_record_build::from_json(deep, l));
}
