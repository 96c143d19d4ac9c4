#include <gtest/gtest.h>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_record.h"
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

TEST(Record, HugeCountOfPlainRecordsIsRefusedBeforeAllocating) {
    std::vector<uint8_t> bytes = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // id, name, blob, tags, counts
    bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0, 0});                                   // inner
    bytes.insert(bytes.end(), {0x10, 0, 0, 0, 0, 0, 0, 0});                                // items: 2^28
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
    EXPECT_EQ(vux_record_dump::to_json(bad), "{\"class\":\"leaf\",\"type\":0,\"fields\":{\"n\":0,\"s\":\"\xe4\xb8\xad\\u00ff\\u00e4\"}}");
    holder h = populated();
    std::string json = vux_record_dump::to_json(h);
    EXPECT_NE(json.find(R"("blob":"0102")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("tags":["a","b"])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("name":"李雷")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("items":[{"class":"leaf","type":0,"fields":{"n":1,"s":""}},{"class")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("next":{"class":"node","type":1000,"fields":{"small":0,"flag":0,"next":null,"kids":[]}})"), std::string::npos) << json;
    std::string text = vux_record_dump::to_text(h);
    EXPECT_NE(text.find("inner: leaf"), std::string::npos) << text;
}
