#include <gtest/gtest.h>
#include <vector>
#include "core/vux_buffer.h"
#include "core/vux_reader.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "core/vux_writer.h"

namespace {
using bytes = std::vector<uint8_t>;
bytes of(const vux_link& v) { return {v.data(), v.data() + v.length()}; }

// Shaped like the password-change reply: one int32 result.
struct result_only : vux_object {
    int32_t type_code() const override { return 3919; }
    void write(vux_writer& w) const override { w.write_int32(result); }
    int32_t result = 0;
};
struct no_fields : vux_object {
    int32_t type_code() const override { return 3900; }
};
// Asks for more room than any buffer may hold, as a message past the cap does.
struct oversized : vux_object {
    int32_t type_code() const override { return 3900; }
    void write(vux_writer& w) const override {
        w.write_int32(1);
        w.buffer().reserve(int32_t(vux_buffer::max_capacity));
    }
};
}  // namespace

TEST(Frame, MessagesFrameByteExact) {
    vux_buffer out;
    vux_writer::frame(result_only{}, out);
    const bytes want = {'v', 'u', 'x', '+', 0, 0, 0, 0, 0, 0, 0, 0x0F, 0x4F, 0, 0, 0, 0, '+', 'x', 'u', 'v'};
    EXPECT_EQ(of(out), want);
    vux_writer::frame(no_fields{}, out);
    EXPECT_EQ(out.length(), 17);
}

// An oversized message is never framed truncated: the frame fails and
// leaves nothing to send.
TEST(Frame, MessagePastTheCapFailsAndLeavesNothing) {
    vux_buffer out;
    EXPECT_FALSE(vux_writer::frame(oversized{}, out));
    EXPECT_EQ(out.length(), 0);
    EXPECT_TRUE(vux_writer::frame(no_fields{}, out));  // the same buffer frames again afterwards
    EXPECT_EQ(out.length(), 17);
    vux_buffer body;
    vux_writer w(body);
    oversized{}.write(w);
    EXPECT_TRUE(w.failed());
}

TEST(Writer, FieldEncodings) {
    vux_buffer out;
    {
        vux_writer w(out);
        w.write_string(vux_string("ab"));
        w.write_string(vux_string());
        w.write_unicode(vux_unicode(u"\u4e2d"));
        w.write_int16(0x12345);
        w.write_byte(0x1FF);
        w.write_bytes("zz", -3);
        w.put_int32(-2);
    }
    const bytes want = {0,    0,    0,    2,    'a',  'b',  0,    0,    0,    0,    0,    0,    0,   1,
                        0x4E, 0x2D, 0x23, 0x45, 0xFF, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(of(out), want);
    vux_writer again(out);  // constructing a writer clears its buffer
    EXPECT_EQ(out.length(), 0);
}

TEST(Reader, UnderrunIsStickyAndConsumesNothing) {
    const uint8_t three[] = {1, 2, 3};
    vux_link src(three, 3);
    vux_reader r(src);
    EXPECT_EQ(r.read_int32(), 0);
    EXPECT_TRUE(r.has_error());
    EXPECT_EQ(r.position(), 0);
    EXPECT_EQ(r.read_byte(), 0);
    EXPECT_EQ(r.read_int16(), 0);
    vux_string s("stale");
    r.read_string(s);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(r.remaining(), 3);
}

TEST(Reader, BlockLengths) {
    struct Case {
        bytes data;
        bool error;
        std::string want;
        int32_t pos;
    };
    const Case cases[] = {
        {{0, 0, 0, 10, 'a', 'b', 'c', 'd'}, true, "", 4},  // length beyond the bytes left
        {{0xFF, 0xFF, 0xFF, 0xF0, 'a'}, false, "", 4},     // negative length reads empty
        {{0, 0, 0, 0}, false, "", 4},
        {{0, 0, 0, 2, 'h', 'i', '!'}, false, "hi", 6},
        {{0, 0}, true, "", 0},
    };
    for (const auto& c : cases) {
        vux_link src(c.data.data(), int32_t(c.data.size()));
        vux_reader r(src);
        vux_string s;
        r.read_string(s);
        EXPECT_EQ(r.has_error(), c.error);
        EXPECT_EQ(s.str(), c.want);
        EXPECT_EQ(r.position(), c.pos);
        vux_reader r2(src);
        vux_buffer b;
        r2.read_bytes(b);
        EXPECT_EQ(r2.has_error(), c.error);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length())), c.want);
    }
}

// A text takes what the count says as far as the bytes go, and gets its
// room at once, as a text built of its final length: one block that holds
// the count, bounded by the units the bytes left can hold, so a huge count
// off the wire costs nothing and a long text is not copied again and again.
TEST(Reader, UnicodeTakesItsRoomOnceAndReadsWhatIsThere) {
    struct Case {
        int32_t count;
        int32_t units;  // units present after the count
        bool odd_byte;  // one more byte, too few for a unit
        bool error;
        int32_t capacity;
    };
    const Case cases[] = {
        {0x7FFFFFFF, 2, false, true, 256},  // huge count: the two units, no more room
        {300, 300, false, false, 512},      // room at once: 512, not grown 4 units at a time
        {1000, 300, true, true, 512},       // room for what is there, not for 1000
        {2, 1, true, true, 256},            // one unit, then a byte too few for the next
        {0, 3, false, false, 0},            // a count of 0 or less reads empty
        {-5, 3, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        vux_buffer data;
        vux_writer w(data);
        w.write_int32(c.count);
        std::u16string units;
        for (int32_t i = 0; i < c.units; ++i) {
            units.push_back(char16_t(0x4E2D + i));
            w.write_int16(0x4E2D + i);
        }
        if (c.odd_byte) w.write_byte(0x41);
        vux_reader r(data);
        vux_unicode u(u"stale");
        r.read_unicode(u);
        EXPECT_EQ(r.has_error(), c.error);
        EXPECT_EQ(std::u16string(u.view()), c.count > 0 ? units : u"");
        if (c.count > 0) {
            EXPECT_EQ(u.capacity(), c.capacity);
        }
    }
}

TEST(Reader, HeaderAndTrailer) {
    struct Case {
        std::string data;
        bool header;
        int32_t pos;
    };
    for (auto c : {Case{std::string("vux+\0\0\0\0\0", 9), true, 9}, Case{std::string("vux+\0\0\0\0", 8), false, 0},
                   Case{std::string("vuy+\0\0\0\0\0", 9), false, 3}, Case{std::string("vux+12345+xuv", 13), true, 9}}) {
        vux_link src(c.data.data(), int32_t(c.data.size()));
        vux_reader r(src);
        EXPECT_EQ(r.read_header(), c.header) << c.data.size();
        EXPECT_EQ(r.position(), c.pos);
    }
    std::string t = "+xuv";
    vux_link four(t.data(), 4);
    vux_reader r(four);
    EXPECT_TRUE(r.at_trailer());
    EXPECT_TRUE(r.read_trailer());
    std::string t5 = "+xuv!";
    vux_link five(t5.data(), 5);
    vux_reader r5(five);
    EXPECT_FALSE(r5.at_trailer());
    EXPECT_TRUE(r5.read_trailer());
    std::string bad = "+xuw";
    vux_link badv(bad.data(), 4);
    vux_reader rb(badv);
    EXPECT_FALSE(rb.read_trailer());
    EXPECT_EQ(rb.position(), 4);

    EXPECT_TRUE(vux_reader::is_message("vux+00000", 9));
    EXPECT_FALSE(vux_reader::is_message("vux+0000", 8));
    EXPECT_EQ(vux_reader::decode_uint32("\x12\x34\x56\x78"), 0x12345678u);
}

TEST(Reader, CountsDepthAndDeliberateFailure) {
    const bytes data = {0, 0, 0, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    vux_link src(data.data(), int32_t(data.size()));
    {
        vux_reader r(src);
        EXPECT_EQ(r.read_count(4), 3);
        EXPECT_FALSE(r.has_error());
    }
    {
        vux_reader r(src);
        EXPECT_EQ(r.read_count(5), 0);  // 3 x 5 bytes do not fit in 12
        EXPECT_TRUE(r.has_error());
    }
    vux_reader r(src);
    for (int i = 0; i < vux_reader::max_depth; ++i) ASSERT_TRUE(r.enter());
    EXPECT_FALSE(r.enter());
    EXPECT_TRUE(r.has_error());

    vux_reader f(src);
    f.fail();
    EXPECT_EQ(f.read_int32(), 0);
    EXPECT_TRUE(f.has_error());
}
