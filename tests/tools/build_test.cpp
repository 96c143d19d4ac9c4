#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include "core/vux_expand.h"
#include "core/vux_reader.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_window.h"
#include "resources/markup/vux_builtin_document.h"
#include "toolkit/vux_builder.h"
#include "toolkit/vux_dumper.h"

namespace {

std::string read_file(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

vux_dump_result dump_json(const std::string& bytes) {
    return vux_dump_stream(vux_link(bytes.data(), int32_t(bytes.size())), true);
}

// Every stream kept as a fuzz seed that the dumper reads whole (documents,
// packed documents, reply bodies, desktop and runtime frames) builds back
// byte for byte from its dump.
TEST(Build, RebuildsEveryWholeSeedStreamFromItsDump) {
    int rebuilt = 0;
    for (const auto& dir : std::filesystem::directory_iterator(VUX_SOURCE_DIR "/fuzz/corpus")) {
        for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
            const std::string bytes = read_file(file.path());
            vux_dump_result d = dump_json(bytes);
            if (!d.ok) continue;
            vux_build_result b = vux_build_stream(d.out);
            ASSERT_TRUE(b.ok) << file.path() << ": " << b.error;
            EXPECT_EQ(b.bytes, bytes) << file.path();
            ++rebuilt;
        }
    }
    EXPECT_GE(rebuilt, 20);  // the desktop frames alone are 22

    // The built-in document, built from its source at build time.
    const std::string builtin(reinterpret_cast<const char*>(vux_builtin_document_data),
                              size_t(vux_builtin_document_size));
    vux_dump_result d = dump_json(builtin);
    ASSERT_TRUE(d.ok) << d.out;
    EXPECT_EQ(d.out.rfind("{\"packed\":true,", 0), 0u);
    vux_build_result b = vux_build_stream(d.out);
    ASSERT_TRUE(b.ok) << b.error;
    EXPECT_EQ(b.bytes, builtin);
}

// The stream's bytes as the frame table gives them: magic, a zero byte, the
// sequence, each record's code and fields, the trailer.
TEST(Build, WritesTheFrameAndTheSequence) {
    vux_build_result b = vux_build_stream(
        R"({"sequence":7,"records":[{"type":1303,"fields":{"follow_up":1}},{"type":1014,"fields":{"pairs":["a","\u00ff"]}}]})");
    ASSERT_TRUE(b.ok) << b.error;
    const std::string expected = std::string("vux+\0\0\0\0\x07", 9) +
                                 std::string("\0\0\x05\x17\0\0\0\x01\0\0\0\0\0\0\0\0", 16) +
                                 std::string(
                                     "\0\0\x03\xF6\0\0\0\x02\0\0\0\x01"
                                     "a\0\0\0\x01\xFF",
                                     18) +
                                 "+xuv";
    EXPECT_EQ(b.bytes, expected);

    // Packed: "vux-", the same sequence, codes that expand to the raw stream.
    vux_build_result p = vux_build_stream(
        R"({"packed":true,"sequence":7,"records":[{"type":1303,"fields":{"follow_up":1}},{"type":1014,"fields":{"pairs":["a","\u00ff"]}}]})");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.bytes.substr(0, 9), std::string("vux-\0\0\0\0\x07", 9));
    vux_buffer expanded;
    ASSERT_EQ(vux_expand::unpack(vux_link(p.bytes.data(), int32_t(p.bytes.size())), expanded), vux_expand::result::ok);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(expanded.data()), size_t(expanded.length())), expected);
    EXPECT_EQ(vux_build_stream(R"({"sequence":7,"records":[]})", true).bytes.substr(0, 4), "vux-");
}

TEST(Build, RefusalsNameTheirJsonPath) {
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"([])", "must be an object"},
        {R"({"records":[],"extra":1})", "extra: no such member"},
        {R"({"records":{}})", "records: a list"},
        {R"({"packed":1,"records":[]})", "packed: true or false"},
        {R"({"sequence":"1","records":[]})", "sequence: a 32-bit number"},
        {R"({"sequence":4294967296,"records":[]})", "sequence: a 32-bit number"},
        {R"({"records":[],"error":{"offset":9,"message":"cut"}})", "damaged stream"},
        {R"({"records":[{"fields":{}}]})", "records[0]: a record with its \"type\""},
        {R"({"records":[{"type":1014},{"type":1999}]})", "records[1].type: no record of type 1999"},
        {R"({"records":[{"type":1014,"class":"vux_brush"}]})", "records[0]: class vux_brush where vux_resource"},
        {R"({"records":[{"type":1016,"fields":{"client":{"fields":{"paragraphs":[{"type":1105,"fields":{"children":[{"type":1100,"fields":{"left":"x"}}]}}]}}}}]})",
         "records[0].fields.client.fields.paragraphs[0].fields.children[0].fields.left: a number expected"},
        {R"({"records":[{"type":1016,"fields":{"nme":"w"}}]})", "records[0].fields.nme: no such field in vux_window"},
        {R"({"records":[{"type":1016,"feilds":{"name":"w"}}]})", "records[0]: feilds: no such member of a record"},
        {R"({"records":[{"type":1006,"set":["text","x"]}]})", "records[0]: set: vux_function takes no properties"},
        {R"({"records":[{"type":1016,"fields":{"client":{"fields":{"paragraphs":[{"type":1105,"fields":{"children":[{"type":1104,"set":["size","1"]}]}}]}}}}]})",
         "records[0].fields.client.fields.paragraphs[0].fields.children[0]: set: no property size"},
        {R"({"records":[{"type":1016,"fields":{"client":{"fields":{"paragraphs":[{"type":1105,"fields":{"children":[{"type":1104,"set":["text"]}]}}]}}}}]})",
         "a list of names and values"},
    };
    for (const auto& c : cases) {
        vux_build_result b = vux_build_stream(c.json);
        EXPECT_FALSE(b.ok) << c.json;
        EXPECT_TRUE(b.bytes.empty()) << c.json;
        EXPECT_NE(b.error.find(c.reason), std::string::npos) << c.json << "\n  gave: " << b.error;
    }
}

// "set" goes through the element's own keywords after its fields, so a
// source can say "bold": "yes" where the fields hold numbers.
TEST(Build, SetListsApplyThroughTheElementsKeywords) {
    vux_build_result b = vux_build_stream(R"({"records":[{"type":1016,"fields":{"name":"w","client":{"fields":{
        "paragraphs":[{"type":1105,"fields":{"children":[
            {"type":1100,"fields":{"left":3},"set":["text","caf\u00c3\u00a9","bold","yes","font","large","no-such-keyword","1"]}]}}]}}}}]})");
    ASSERT_TRUE(b.ok) << b.error;
    vux_link link(b.bytes.data(), int32_t(b.bytes.size()));
    vux_reader r(link);
    ASSERT_TRUE(r.read_header());
    ASSERT_EQ(r.read_int32(), 1016);
    vux_window w;
    w.read(r);
    ASSERT_FALSE(r.has_error());
    ASSERT_EQ(w.client.paragraphs.count(), 1);
    auto* paragraph = static_cast<vux_element_paragraph*>(w.client.paragraphs.get(0));
    ASSERT_EQ(paragraph->children.count(), 1);
    auto* box = dynamic_cast<vux_element_box*>(paragraph->children.get(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->left, 3);
    EXPECT_EQ(box->text.bold, 1);
    EXPECT_EQ(box->text.font_size, 4);
    ASSERT_EQ(box->text.text.length(), 4);
    EXPECT_EQ(box->text.text.unit_at(3), u'\u00e9');
}

TEST(Build, CommandLine) {
    const std::string in = ::testing::TempDir() + "vux_build_in.json";
    const std::string out_path = ::testing::TempDir() + "vux_build_out.bin";
    {
        std::ofstream f(in, std::ios::binary);
        f << R"({"records":[{"type":1303}]})";
    }
    std::string out, err;
    char prog[] = "vux_build", packed[] = "--packed", o[] = "-o", bad[] = "--bogus";
    std::string i = in, op = out_path, missing = "/nonexistent/vux_build_none.json";
    char* to_stdout[] = {prog, i.data()};
    EXPECT_EQ(vux_build_main(2, to_stdout, out, err), 0) << err;
    EXPECT_EQ(out.substr(0, 4), "vux+");
    char* to_file[] = {prog, packed, o, op.data(), i.data()};
    EXPECT_EQ(vux_build_main(5, to_file, out, err), 0) << err;
    EXPECT_EQ(read_file(out_path).substr(0, 4), "vux-");
    char* usage[] = {prog, bad, i.data()};
    EXPECT_EQ(vux_build_main(3, usage, out, err), 2);
    char* none[] = {prog, missing.data()};
    EXPECT_EQ(vux_build_main(2, none, out, err), 2);
    {
        std::ofstream f(in, std::ios::binary);
        f << R"({"records":[{"type":1}]})";
    }
    err.clear();
    EXPECT_EQ(vux_build_main(2, to_stdout, out, err), 1);
    EXPECT_NE(err.find("records[0].type"), std::string::npos) << err;
    std::remove(in.c_str());
    std::remove(out_path.c_str());
}

}  // namespace
