#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "core/vux_expand.h"
#include "toolkit/vux_lzw_pack.h"

namespace {

using result = vux_expand::result;

std::string str(const vux_buffer& b) {
    return std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length()));
}

// Expands raw code bytes (no document header) into out, which starts with
// "keep" so that an error visibly leaves it alone.
result expand_codes(const std::string& codes, std::string& text, int32_t max_output = vux_expand::default_max_output) {
    vux_buffer out;
    out.append_cstr("keep");
    vux_expand e;
    e.allocate_tables();
    const result r = e.expand(vux_link(codes.data(), int32_t(codes.size())), 0, out, max_output);
    text = str(out);
    return r;
}

std::string pack(const std::vector<uint16_t>& codes) { return vux_tools::lzw_pack_codes(codes); }

}  // namespace

TEST(Expand, DecodesTheKnownCodeSequences) {
    std::string out;
    // 0x041 0x042 0x100 0xFFF: a defined entry.
    EXPECT_EQ(expand_codes(std::string("\x04\x10\x42\x10\x0F\xFF", 6), out), result::ok);
    EXPECT_EQ(out, "keepABAB");
    // 0x041 0x100 0xFFF: the code being defined repeats the previous string
    // plus its own first byte.
    EXPECT_EQ(expand_codes(pack({0x41, 0x100, 0xFFF}), out), result::ok);
    EXPECT_EQ(out, "keepAAA");
    // A source that ends without 4095 stops after its last whole code; the
    // pad bits of the last byte are no code.
    EXPECT_EQ(expand_codes(pack({0x41, 0x42, 0x100}), out), result::ok);  // 36 bits: 4 pad bits
    EXPECT_EQ(out, "keepABAB");
    EXPECT_EQ(expand_codes(pack({0x41, 0x42}), out), result::ok);
    EXPECT_EQ(out, "keepAB");
}

TEST(Expand, HostileCodesStopWithAnErrorAndLeaveTheOutput) {
    struct row {
        const char* name;
        std::string codes;
        result want;
    } rows[] = {
        {"no codes at all", "", result::empty},
        {"half a code", "\x04", result::empty},
        {"end code first", pack({0xFFF}), result::empty},
        {"first code not a byte", pack({0x100, 0xFFF}), result::bad_first_code},
        {"first code far out", pack({0xFFE, 0xFFF}), result::bad_first_code},
        {"code above the next free one", pack({0x41, 0x101, 0xFFF}), result::bad_code},
        {"code into entries never set", pack({0x41, 0x42, 0x43, 0x200, 0xFFF}), result::bad_code},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string out;
        EXPECT_EQ(expand_codes(r.codes, out), r.want);
        EXPECT_EQ(out, "keep");
    }
}

TEST(Expand, OutputIsCapped) {
    // Codes 0x41, 256, 257, ... each one byte longer than the last: 200
    // codes (300 bytes) stand for 20100 bytes.
    std::vector<uint16_t> codes{0x41};
    for (uint16_t c = 256; c < 256 + 199; ++c) codes.push_back(c);
    codes.push_back(0xFFF);
    std::string out;
    EXPECT_EQ(expand_codes(pack(codes), out, 20100), result::ok);
    EXPECT_EQ(out, "keep" + std::string(20100, 'A'));
    EXPECT_EQ(expand_codes(pack(codes), out, 20099), result::too_large);
    EXPECT_EQ(out, "keep");
}

TEST(Expand, RoundTripsOverSizesAndAFullTable) {
    std::mt19937 rng(7);
    auto random_text = [&](size_t n, int alphabet) {
        std::string s(n, '\0');
        for (char& c : s) c = char(rng() % unsigned(alphabet));
        return s;
    };
    struct row {
        const char* name;
        std::string data;
    } rows[] = {
        {"one byte", "x"},
        {"two bytes", "xy"},
        {"repeats", std::string(5000, 'q')},
        {"text", random_text(3000, 4)},
        // Random bytes fill the 3839 free entries after some 4000 codes;
        // everything after that is coded with the full, frozen table.
        {"table full", random_text(60000, 256)},
        {"table full, then runs", random_text(20000, 256) + std::string(70000, 'r') + random_text(5000, 3)},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto codes = vux_tools::lzw_codes(reinterpret_cast<const uint8_t*>(r.data.data()), r.data.size());
        if (std::string(r.name).rfind("table full", 0) == 0) {
            ASSERT_GT(codes.size(), 4096u);
        }
        const std::string packed = vux_tools::lzw_pack_document(r.data);
        vux_buffer out;
        ASSERT_EQ(vux_expand::unpack(vux_link(packed.data(), int32_t(packed.size())), out), result::ok);
        EXPECT_EQ(str(out), r.data);
    }
}

TEST(Expand, WhatCountsAsPacked) {
    // The 9-byte header holds no code: "vux-" with 9 bytes or fewer is not a
    // packed document (the loader reads it as it is, and its header check
    // refuses it). From 10 bytes on it is packed, and expanding it needs a
    // whole first code: 10 bytes hold only 8 bits of one.
    const std::string header("vux-\0\0\0\0\0", 9);
    EXPECT_FALSE(vux_expand::is_packed(header.data(), 9));
    EXPECT_FALSE(vux_expand::is_packed(header.data(), 8));
    const std::string ten = header + "\x04";
    EXPECT_TRUE(vux_expand::is_packed(ten.data(), 10));
    vux_buffer out;
    EXPECT_EQ(vux_expand::unpack(vux_link(ten.data(), 10), out), result::empty);
    const std::string eleven = header + "\x04\x10";  // code 0x041 and nothing more
    EXPECT_EQ(vux_expand::unpack(vux_link(eleven.data(), 11), out), result::ok);
    EXPECT_EQ(str(out), "A");
    EXPECT_FALSE(vux_expand::is_packed("vux+\0\0\0\0\0\x04\x10", 11));

    vux_expand e;  // tables not allocated yet, and a start outside the source
    EXPECT_EQ(e.expand(vux_link(eleven.data(), 11), 12, out), result::bad_offset);
    EXPECT_EQ(e.expand(vux_link(eleven.data(), 11), 9, out), result::ok);
}

TEST(Expand, AgreesWithThePrefixChainWalk) {
    // Random code streams (mostly valid codes, some past the next free one,
    // many repeats of the entry being defined) and random bytes, each under
    // a roomy and a tight cap, into an output that already holds bytes.
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        std::string source;
        if (round % 3 == 0) {
            source.resize(rng() % 2000);
            for (char& c : source) c = char(rng());
        } else {
            std::vector<uint16_t> codes{uint16_t(rng() % 256)};
            uint16_t next_free = 256;
            const int n = int(rng() % 6000);
            for (int i = 0; i < n; ++i) {
                const uint32_t pick = rng() % 100;
                uint16_t c = pick < 30   ? uint16_t(rng() % 256)
                             : pick < 45 ? next_free
                             : pick < 46 ? uint16_t(next_free + 1 + rng() % 5)
                                         : uint16_t(256 + rng() % uint32_t(next_free - 255));
                if (c >= 4095) c = 4094;
                codes.push_back(c);
                if (next_free <= 4094) ++next_free;
            }
            if (rng() % 2) codes.push_back(0xFFF);
            source = pack(codes);
        }
        for (int32_t cap : {vux_expand::default_max_output, int32_t(rng() % 30000 + 1)}) {
            std::string fast;
            const result r = expand_codes(source, fast, cap);
            std::string plain = "keep";
            const result want = vux_tools::lzw_expand_by_chain(reinterpret_cast<const uint8_t*>(source.data()),
                                                               source.size(), 0, plain, cap);
            ASSERT_EQ(r, want);
            ASSERT_EQ(fast, plain);
        }
    }
}
