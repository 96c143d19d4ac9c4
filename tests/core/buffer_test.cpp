#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_link.h"

namespace {
std::vector<uint8_t> bytes_of(const vux_link& v) { return {v.data(), v.data() + v.length()}; }
}  // namespace

TEST(Buffer, AppendsBigEndianAndGrowsByDoubling) {
    vux_buffer b;
    EXPECT_EQ(b.capacity(), 0);
    b.append_be32(0x12345678);
    EXPECT_EQ(bytes_of(b), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(b.capacity(), 4096);

    vux_buffer c;
    c.append_byte(1);
    EXPECT_EQ(c.capacity(), 4096);
    for (int i = 1; i < 4097; ++i) c.append_byte(uint8_t(i));
    EXPECT_EQ(c.length(), 4097);
    EXPECT_EQ(c.capacity(), 8192);
    EXPECT_EQ(c.data()[4096], uint8_t(4096));
}

TEST(Buffer, ResizeKeepsOldBytes) {
    vux_buffer b;
    b.resize(10);
    EXPECT_EQ(b.capacity(), 4096);
    EXPECT_EQ(b.length(), 10);
    std::memset(b.pointer(), 0xAB, 10);
    b.resize(4096);
    b.resize(5000);
    EXPECT_EQ(b.capacity(), 5000);
    EXPECT_EQ(b.data()[9], 0xAB);
    b.clear();
    EXPECT_EQ(b.length(), 0);
    EXPECT_EQ(b.capacity(), 5000);

    vux_buffer never;  // clearing what never held bytes allocates nothing
    never.clear();
    EXPECT_EQ(never.capacity(), 0);
    EXPECT_EQ(never.length(), 0);
}

TEST(Buffer, GrowthPastTheCapIsRefusedAndLeavesTheBuffer) {
    vux_buffer b;
    b.append_cstr("keep");
    EXPECT_FALSE(b.reserve(INT32_MAX));
    EXPECT_TRUE(b.overflowed());
    EXPECT_FALSE(b.resize(int32_t(vux_buffer::max_capacity + 1)));
    EXPECT_FALSE(b.extend(INT32_MAX - 2));
    EXPECT_EQ(b.length(), 4);
    EXPECT_EQ(std::memcmp(b.data(), "keep", 4), 0);
    EXPECT_FALSE(b.reserve(-1));
}

TEST(Buffer, GrowthDoublesButMeetsANeedUnderTheCapAtTheCap) {
    constexpr int64_t cap = vux_buffer::max_capacity;
    struct row {
        int64_t capacity, need, grown;
    };
    const row rows[] = {
        {0, 1, 4096},
        {4096, 4097, 8192},
        {cap / 2, cap / 2 + 1, cap},
        {600 << 20, (600 << 20) + 1, cap},  // doubling would pass the cap
        {cap - 1, cap, cap},
        {600 << 20, cap + 1, 1200ll << 20},  // past the cap: refused by grow_to
    };
    for (const row& r : rows)
        EXPECT_EQ(vux_buffer::grown_capacity(r.capacity, r.need), r.grown) << r.capacity << " " << r.need;
}

TEST(Buffer, CopiesViewsAndSelfAppends) {
    const char text[] = "abcdef";
    vux_buffer owned(text, 6);
    EXPECT_NE(owned.data(), reinterpret_cast<const uint8_t*>(text));
    owned.append_bytes(owned.data() + 2, 3);  // from its own storage
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(owned.data()), size_t(owned.length())), "abcdefcde");
    owned.assign_bytes(owned.data() + 1, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(owned.data()), 2), "bc");

    vux_buffer copy(owned);
    EXPECT_FALSE(copy.differs_from(owned));
    copy.pointer()[0] = 'z';
    EXPECT_TRUE(copy.differs_from(owned));
}

TEST(Buffer, BorrowedViewsFreeNothingAndSetViewDoesNotLeak) {
    std::vector<uint8_t> mem(20, 7);
    {
        vux_buffer b;
        b.borrow(mem.data(), 20);
        EXPECT_EQ(b.capacity(), 0);
        EXPECT_EQ(b.length(), 20);
        b.resize(5);  // becomes an owning copy of the first bytes
        EXPECT_TRUE(b.owns());
        EXPECT_EQ(b.data()[4], 7);
    }
    EXPECT_EQ(mem[0], 7);
    vux_buffer owning;
    owning.append_cstr("xyz");
    owning.set_view(mem.data(), 3);  // owned storage released (LeakSanitizer checks)
    EXPECT_EQ(owning.data(), mem.data());
    EXPECT_EQ(owning.capacity(), 0);
}

TEST(Buffer, PutBe32AndSetLengthStayInside) {
    vux_buffer b;
    b.resize(6);
    EXPECT_TRUE(b.put_be32(2, 0x01020304));
    EXPECT_EQ(b.data()[5], 4);
    for (int32_t off : {-1, 3, 6, INT32_MAX}) EXPECT_FALSE(b.put_be32(off, 1)) << off;
    b.set_length(100000);
    EXPECT_EQ(b.length(), b.capacity());
    b.set_length(-5);
    EXPECT_EQ(b.length(), 0);

    uint8_t raw[4] = {1, 2, 3, 4};
    vux_link view(raw, 4);
    view.set_length(10);
    EXPECT_EQ(view.length(), 4);
    EXPECT_EQ(view.byte_at(4), 0);
    EXPECT_EQ(view.byte_at(-1), 0);
    EXPECT_EQ(view.read_be32(0), 0x01020304);
    EXPECT_EQ(view.read_be32(1), 0);
}

TEST(Link, FindBytes) {
    const char text[] = "abcabc";
    vux_link v(text, 6);
    struct Case {
        int32_t from;
        const char* seq;
        int32_t len;
        int32_t want;
    };
    for (auto c : {Case{0, "bc", 2, 1}, Case{2, "bc", 2, 4}, Case{5, "bc", 2, -1}, Case{0, "", 0, -1},
                   Case{0, "abcabcd", 7, -1}, Case{-1, "a", 1, -1}, Case{0, "c", 1, 2}, Case{INT32_MAX, "a", 1, -1}})
        EXPECT_EQ(v.find_bytes(c.from, c.seq, c.len), c.want) << c.seq << "@" << c.from;
}
