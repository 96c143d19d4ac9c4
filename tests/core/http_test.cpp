#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_http_parser.h"
#include "core/vux_http_wrapper.h"

namespace {

std::string text_of(const vux_buffer& b) {
    return std::string(reinterpret_cast<const char*>(b.data()), size_t(b.length()));
}

using refusal = vux_http_parser::refusal;

struct outcome {
    bool accepted = true;  // every feed returned true
    bool complete = false;
    refusal why = refusal::none;
    int32_t status = 0;
    std::string body;
};

outcome run(const std::string& reply, size_t piece) {
    vux_http_parser parser;
    outcome o;
    for (size_t at = 0; at < reply.size() && o.accepted; at += piece) {
        const size_t n = std::min(piece, reply.size() - at);
        o.accepted = parser.feed(reply.data() + at, int32_t(n));
    }
    o.complete = parser.is_complete();
    o.why = parser.get_refusal();
    o.status = parser.get_status();
    if (o.complete) o.body.assign(reinterpret_cast<const char*>(parser.get_body()), size_t(parser.get_body_length()));
    return o;
}

}  // namespace

TEST(HttpWrapper, BuildsThePostRequestBytes) {
    vux_http_wrapper w;
    ASSERT_TRUE(w.set_post_path(vux_string("/cs")));
    ASSERT_TRUE(w.add_header(vux_string("Host"), vux_string("h")));
    const std::string body(17, '\x07');
    ASSERT_TRUE(w.build(vux_link(body.data(), 17)));
    EXPECT_EQ(text_of(w.get_buffer()), "POST /cs HTTP/1.1\r\nHost: h\r\nContent-Length: 17\r\n\r\n" + body);

    // Building again (a resend) announces the new length once, not twice.
    ASSERT_TRUE(w.build(vux_link("abc", 3)));
    EXPECT_EQ(text_of(w.get_buffer()), "POST /cs HTTP/1.1\r\nHost: h\r\nContent-Length: 3\r\n\r\nabc");
}

TEST(HttpWrapper, RefusesLineBreaksAndAFullHeaderStore) {
    vux_http_wrapper w;
    // Host and path come from the logon reply: a line break there would add
    // header lines of the service's choosing.
    EXPECT_FALSE(w.add_header(vux_string("Host"), vux_string("h\r\nX-Evil: 1")));
    EXPECT_FALSE(w.add_header(vux_string(""), vux_string("v")));
    EXPECT_FALSE(w.set_post_path(vux_string("/cs HTTP/1.1\r\nX: y")));
    EXPECT_FALSE(w.build(vux_link("x", 1)));
    EXPECT_EQ(w.get_buffer().length(), 0);

    ASSERT_TRUE(w.set_post_path(vux_string("/")));
    for (int i = 0; i < vux_http_wrapper::max_pairs; ++i) EXPECT_TRUE(w.add_header(vux_string("A"), vux_string("b")));
    EXPECT_FALSE(w.add_header(vux_string("A"), vux_string("b")));
    // No room left for Content-Length: a request without it is never sent.
    EXPECT_FALSE(w.build(vux_link("x", 1)));
    EXPECT_EQ(w.get_buffer().length(), 0);
}

TEST(HttpParser, SameOutcomeWholeOrByteByByte) {
    const std::string ok = "HTTP/1.1 200 OK\r\nServer: s\r\nContent-Length: 5\r\n\r\nhello";
    struct row {
        const char* name;
        std::string reply;
        bool accepted, complete;
        refusal why;
        int32_t status;
    } rows[] = {
        {"complete", ok, true, true, refusal::none, 0},
        {"lower case status line", "http/1.1 200 ok\r\ncontent-length: 5\r\n\r\nhello", true, true, refusal::none, 0},
        {"odd case and blanks", "HTTP/1.1 200 OK\r\nCONTENT-LENGTH:   25\r\n\r\n" + std::string(25, 'x'), true, true,
         refusal::none, 0},
        {"waiting for the body", ok.substr(0, ok.size() - 1), true, false, refusal::none, 0},
        {"waiting for the header end", ok.substr(0, 30), true, false, refusal::none, 0},
        {"one byte too many", ok + "!", false, false, refusal::too_many_bytes, 0},
        {"not found", "HTTP/1.1 404 Not Found\r\n\r\n", false, false, refusal::first_line, 404},
        {"status not digits", "HTTP/1.1 2x0 OK\r\n\r\n", false, false, refusal::first_line, 602},
        {"not HTTP/1.1", "HTTX/1.1 200 OK\r\n\r\n", false, false, refusal::first_line, 601},
        {"status 600 or more", "HTTP/1.1 700 OK\r\n\r\n", false, false, refusal::first_line, 603},
        {"HTTP/1.0", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nx", false, false, refusal::first_line, 601},
        {"no blank line in 512 bytes", "HTTP/1.1 200 OK\r\nX: " + std::string(600, 'a'), false, false,
         refusal::header_too_long, 0},
        {"blank line ends past 512",
         "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nX: " + std::string(470, 'a') + "\r\n\r\nx", false, false,
         refusal::header_too_long, 0},
        {"no Content-Length", "HTTP/1.1 200 OK\r\nServer: s\r\n\r\nbody", false, false, refusal::bad_content_length, 0},
        {"Content-Length 0", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false, false, refusal::bad_content_length,
         0},
        {"sign in the value", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nhello", false, false,
         refusal::bad_content_length, 0},
        {"letters in the value", "HTTP/1.1 200 OK\r\nContent-Length: 1a2\r\n\r\nhello", false, false,
         refusal::bad_content_length, 0},
        {"two lengths that differ", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\nhello", false,
         false, refusal::bad_content_length, 0},
        // Only a header name at a line start counts.
        {"name inside another header", "HTTP/1.1 200 OK\r\nX-Content-Length: 5\r\n\r\nhello", false, false,
         refusal::bad_content_length, 0},
        {"name inside a value", "HTTP/1.1 200 OK\r\nX: content-length: 5\r\n\r\nhello", false, false,
         refusal::bad_content_length, 0},
        // Above the cap; and a value that would overflow 32 (or 64) bits.
        {"above 64 MiB", "HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\n", false, false,
         refusal::content_too_large, 0},
        {"overflowing value", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n", false, false,
         refusal::content_too_large, 0},
    };
    for (const row& r : rows) {
        for (size_t piece : {r.reply.size(), size_t(1), size_t(7), size_t(2048)}) {
            SCOPED_TRACE(std::string(r.name) + " in pieces of " + std::to_string(piece));
            const outcome o = run(r.reply, piece);
            EXPECT_EQ(o.accepted, r.accepted);
            EXPECT_EQ(o.complete, r.complete);
            EXPECT_EQ(int(o.why), int(r.why));
            EXPECT_EQ(o.status, r.status);
        }
    }
    EXPECT_EQ(run(ok, 1).body, "hello");
    // The bytes held at a refusal do not depend on the pieces either.
    for (size_t piece : {size_t(1), size_t(5), ok.size() + 1}) {
        vux_http_parser p;
        const std::string extra = ok + "!!";
        for (size_t at = 0; at < extra.size() && p.feed(extra.data() + at, int32_t(std::min(piece, extra.size() - at)));
             at += piece) {
        }
        EXPECT_EQ(p.received(), int32_t(ok.size()));
        EXPECT_EQ(p.get_body_length(), 5);
    }
}

TEST(HttpParser, CompleteExactlyAtTheAnnouncedLength) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 25\r\n\r\n";
    vux_http_parser p;
    ASSERT_TRUE(p.feed(head.data(), int32_t(head.size())));
    EXPECT_EQ(p.get_header_length(), int32_t(head.size()));
    EXPECT_EQ(p.get_content_length(), 25);
    EXPECT_EQ(p.get_body_length(), 0);
    const std::string body(24, 'b');
    ASSERT_TRUE(p.feed(body.data(), 24));
    EXPECT_FALSE(p.is_complete());
    EXPECT_EQ(p.get_body_length(), 24);
    ASSERT_TRUE(p.feed("b", 1));
    EXPECT_TRUE(p.is_complete());
    EXPECT_FALSE(p.feed("b", 1));
    EXPECT_FALSE(p.is_complete());
    EXPECT_EQ(int(p.get_refusal()), int(refusal::too_many_bytes));
    // A refusal is final: nothing more is taken.
    EXPECT_FALSE(p.feed("", 0));
    EXPECT_EQ(p.received(), int32_t(head.size()) + 25);
}

TEST(HttpParser, AHugePieceIsRefusedWithoutBeingHeld) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n";
    std::string reply = head + std::string(1 << 20, 'z');
    vux_http_parser p;
    EXPECT_FALSE(p.feed(reply.data(), int32_t(reply.size())));
    EXPECT_LE(p.received(), vux_http_parser::max_header_length + 1);
}

TEST(HttpParser, RequestMode) {
    vux_http_parser p(vux_http_parser::mode_request);
    const std::string req = "post /cs HTTP/1.1\r\nHost: h\r\nContent-Length: 3\r\n\r\nabc";
    for (char c : req) ASSERT_TRUE(p.feed(&c, 1));
    EXPECT_TRUE(p.is_complete());
    vux_http_parser q(vux_http_parser::mode_request);
    EXPECT_FALSE(q.feed("GET / HTTP/1.1\r\n", 16));
}

namespace {
// Records what a streamed body brings; refuses where told to.
struct recording_sink : vux_http_body_sink {
    int32_t announced = -1;
    std::string body;
    bool refuse_begin = false;
    size_t refuse_after = std::string::npos;  // refuses a piece that would pass this many bytes
    bool begin(int32_t content_length) override {
        announced = content_length;
        return !refuse_begin;
    }
    bool take(const uint8_t* data, int32_t length) override {
        if (body.size() + size_t(length) > refuse_after) return false;
        body.append(reinterpret_cast<const char*>(data), size_t(length));
        return true;
    }
};
}  // namespace

TEST(HttpParser, StreamsTheBodyToASink) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 600\r\n\r\n";
    std::string body(600, 'b');
    for (size_t i = 0; i < body.size(); ++i) body[i] = char('a' + i % 26);
    const struct row {
        const char* name;
        std::string reply;
        bool refuse_begin;
        size_t refuse_after;
        bool accepted, complete;
        refusal why;
        std::string taken;  // what the sink holds at the end
    } rows[] = {
        {"whole", head + body, false, std::string::npos, true, true, refusal::none, body},
        {"waiting for the body", head + body.substr(0, 599), false, std::string::npos, true, false, refusal::none,
         body.substr(0, 599)},
        {"one byte too many", head + body + "!", false, std::string::npos, false, false, refusal::too_many_bytes, body},
        {"sink refuses the start", head + body, true, std::string::npos, false, false, refusal::body_refused, ""},
        // Past the cap of held bodies, within the streamed one.
        {"above 64 MiB", "HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\nxyz", false, std::string::npos, true,
         false, refusal::none, "xyz"},
        {"above 1 GiB", "HTTP/1.1 200 OK\r\nContent-Length: 1073741825\r\n\r\nxyz", false, std::string::npos, false,
         false, refusal::content_too_large, ""},
    };
    for (const row& r : rows) {
        for (size_t piece : {r.reply.size(), size_t(1), size_t(7), size_t(100)}) {
            SCOPED_TRACE(std::string(r.name) + " in pieces of " + std::to_string(piece));
            recording_sink sink;
            sink.refuse_begin = r.refuse_begin;
            vux_http_parser p;
            p.stream_body_to(&sink);
            bool accepted = true;
            for (size_t at = 0; at < r.reply.size() && accepted; at += piece)
                accepted = p.feed(r.reply.data() + at, int32_t(std::min(piece, r.reply.size() - at)));
            EXPECT_EQ(accepted, r.accepted);
            EXPECT_EQ(p.is_complete(), r.complete);
            EXPECT_EQ(int(p.get_refusal()), int(r.why));
            EXPECT_EQ(sink.body, r.taken);
            if (r.why == refusal::none) {
                EXPECT_EQ(sink.announced, p.get_content_length());
                EXPECT_EQ(p.get_body_length(), int32_t(r.taken.size()));
                EXPECT_EQ(p.received(), int32_t(r.reply.size()));
            }
        }
    }
    // A sink that stops taking part-way refuses the reply there.
    recording_sink sink;
    sink.refuse_after = 300;
    vux_http_parser p;
    p.stream_body_to(&sink);
    const std::string reply = head + body;
    EXPECT_FALSE(p.feed(reply.data(), int32_t(reply.size())));
    EXPECT_EQ(int(p.get_refusal()), int(refusal::body_refused));
    EXPECT_FALSE(p.is_complete());
    // Without a sink the 64 MiB cap stands.
    vux_http_parser held;
    EXPECT_FALSE(held.feed(rows[4].reply.data(), int32_t(rows[4].reply.size())));
    EXPECT_EQ(int(held.get_refusal()), int(refusal::content_too_large));
}
