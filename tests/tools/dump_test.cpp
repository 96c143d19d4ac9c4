#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "desktop/vux_desktop_accept.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_resource.h"
#include "markup/model/vux_response_go.h"
#include "markup/model/vux_response_logon.h"
#include "toolkit/vux_dumper.h"
#include "toolkit/vux_lzw_pack.h"

namespace {

// A document: header, each record as its code and fields, trailer.
std::string document(std::initializer_list<const vux_record*> records) {
    vux_buffer out;
    vux_writer w(out);
    w.write_header_default();
    vux_buffer body;
    for (const vux_record* r : records) {
        vux_writer rw(body);
        w.write_int32(r->type_code());
        r->write(rw);
        out.append_view(body);
    }
    w.write_trailer();
    return std::string(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
}

vux_dump_result dump(const std::string& bytes, bool json) {
    return vux_dump_stream(vux_link(bytes.data(), int32_t(bytes.size())), json);
}

std::string sample() {
    vux_resource res;  // fresh per call: the sample does not depend on test order
    res.pairs.append_cstr("title");
    res.pairs.append_cstr("\xE4\xB8\xAD");
    vux_response_logon logon;
    logon.home.port = 80;
    logon.home.host = "h";
    return document({&res, &logon});
}

TEST(Dump, JsonListsEachRecordInWireOrder) {
    vux_response_go go;
    go.follow_up = 1;
    go.extras.append_cstr("a\"b");
    vux_dump_result r = dump(document({&go}), true);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.out,
              "{\"packed\":false,\"length\":36,\"sequence\":0,\"records\":[{\"offset\":9,\"class\":\"vux_response_go\","
              "\"type\":1303,"
              "\"fields\":{\"follow_up\":1,\"continued\":0,\"extras\":[\"a\\\"b\"]}}],\"error\":null}\n");
}

TEST(Dump, TextFormNamesOffsetsClassesAndFields) {
    vux_dump_result r = dump(sample(), false);
    ASSERT_TRUE(r.ok) << r.out;
    EXPECT_NE(r.out.find("@9 vux_resource (1014)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("vux_response_logon (1305)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("host: \"h\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\xE4\xB8\xAD"), std::string::npos);  // texts stay UTF-8
}

TEST(Dump, PackedAndRawGiveTheSameRecords) {
    const std::string raw = sample();
    vux_dump_result a = dump(raw, true);
    vux_dump_result b = dump(vux_tools::lzw_pack_document(raw), true);
    ASSERT_TRUE(a.ok);
    ASSERT_TRUE(b.ok) << b.out;
    EXPECT_EQ(b.out.rfind("{\"packed\":true,", 0), 0u);
    EXPECT_EQ(a.out.substr(a.out.find("\"records\"")), b.out.substr(b.out.find("\"records\"")));
}

TEST(Dump, DesktopMessageFrame) {
    auto response = vux_desktop_make_response(vux_type_desktop_response_password);
    ASSERT_NE(response, nullptr);
    vux_buffer frame = vux_desktop_frame(*response);
    vux_dump_result r = dump(std::string(reinterpret_cast<const char*>(frame.data()), size_t(frame.length())), false);
    EXPECT_TRUE(r.ok) << r.out;
    EXPECT_NE(r.out.find("@9 vux_desktop_response_password (3919)"), std::string::npos) << r.out;
}

TEST(Dump, ErrorsCarryTheirByteOffset) {
    const std::string good = sample();
    std::string unknown = good.substr(0, good.size() - 4) + std::string("\0\0\x03\xE7", 4) + "+xuv";  // code 999
    std::string no_trailer = good.substr(0, good.size() - 4);
    std::string bad_header = "vux?" + good.substr(4);
    const struct {
        const char* what;
        std::string bytes;
        int32_t offset;
        const char* message;
    } cases[] = {
        {"unknown code", unknown, int32_t(good.size() - 4), "unknown type code 999"},
        {"no trailer", no_trailer, int32_t(no_trailer.size()), "without the trailer"},
        {"header", bad_header, 0, "no frame header"},
        {"empty", "", 0, "no frame header"},
        {"bad packed", std::string("vux-\0\0\0\0\0\xFF\xF0", 11), 9, "do not expand"},
    };
    for (const auto& c : cases) {
        vux_dump_result r = dump(c.bytes, true);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error_offset, c.offset) << c.what << ": " << r.error;
        EXPECT_NE(r.error.find(c.message), std::string::npos) << c.what << ": " << r.error;
        EXPECT_NE(r.out.find("\"error\":{\"offset\":" + std::to_string(c.offset)), std::string::npos) << r.out;
    }
}

TEST(Dump, EveryTruncationIsReportedNotPrintedAsWhole) {
    const std::string good = sample();
    for (size_t n = 0; n < good.size(); ++n) {
        vux_dump_result r = dump(good.substr(0, n), n % 2 == 0);
        EXPECT_FALSE(r.ok) << n;
        EXPECT_GE(r.error_offset, 0) << n;
        EXPECT_LE(r.error_offset, int32_t(n)) << n;
    }
    // Cut inside the first record's fields: the record is named with where it began.
    vux_dump_result r = dump(good.substr(0, 20), false);
    EXPECT_NE(r.error.find("vux_resource (1014) from byte 9"), std::string::npos) << r.error;
}

TEST(Dump, CommandLine) {
    const std::string path = ::testing::TempDir() + "vux_dump_sample.bin";
    {
        std::ofstream f(path, std::ios::binary);
        f << sample();
    }
    std::string out, err;
    char prog[] = "vux_dump", json[] = "--json", bad[] = "--bogus", missing[] = "/nonexistent/vux_dump_none";
    std::string p = path;
    char* ok_args[] = {prog, json, p.data()};
    EXPECT_EQ(vux_dump_main(3, ok_args, out, err), 0);
    EXPECT_EQ(out.rfind("{\"packed\":false", 0), 0u) << out;

    char* usage_args[] = {prog, bad, p.data()};
    EXPECT_EQ(vux_dump_main(3, usage_args, out, err), 2);
    char* none_args[] = {prog};
    EXPECT_EQ(vux_dump_main(1, none_args, out, err), 2);
    char* missing_args[] = {prog, missing};
    EXPECT_EQ(vux_dump_main(2, missing_args, out, err), 2);

    {
        std::ofstream f(path, std::ios::binary);
        f << sample().substr(0, 30);
    }
    out.clear();
    char* cut_args[] = {prog, p.data()};
    EXPECT_EQ(vux_dump_main(2, cut_args, out, err), 1);
    EXPECT_NE(out.find("error at byte"), std::string::npos) << out;
    std::remove(path.c_str());
}

}  // namespace
