#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "core/vux_writer.h"
#include "desktop/desktop_fill.h"
#include "desktop/messages/vux_desktop_message_table.h"
#include "desktop/messages/vux_desktop_messages.h"
#include "desktop/vux_desktop_accept.h"

namespace {
std::vector<uint8_t> bytes_of(const vux_link& b) { return {b.data(), b.data() + b.length()}; }
std::vector<uint8_t> frame_bytes(const vux_object& m) { return bytes_of(vux_desktop_frame(m)); }

std::vector<int32_t> response_codes() {
    std::vector<int32_t> codes;
    for (const vux_message_entry& e : vux_desktop_message_table())
        if (e.response) codes.push_back(e.code);
    return codes;
}

// A response of this code with every field set, framed.
vux_buffer populated_frame(int32_t code) {
    auto m = vux_desktop_make_response(code);
    desktop_fill_record(*m, code);
    return vux_desktop_frame(*m);
}
}  // namespace

TEST(DesktopMessages, LogonRequestFramesByteForByte) {
    vux_desktop_request_logon logon;
    logon.user_name = "ab";
    const std::vector<uint8_t> expected = {'v', 'u', 'x', '+', 0, 0, 0, 0,   0,   0x00, 0x00, 0x0F, 0x42, 0,
                                           0,   0,   0,   0,   0, 0, 2, 'a', 'b', '+',  'x',  'u',  'v'};
    EXPECT_EQ(frame_bytes(logon), expected);
}

TEST(DesktopMessages, PasswordMessagesHaveNoLeadingInt) {
    vux_desktop_response_password reply;
    const std::vector<uint8_t> reply_frame = {'v',  'u',  'x', '+', 0, 0, 0,   0,   0,   0,  0,
                                              0x0F, 0x4F, 0,   0,   0, 0, '+', 'x', 'u', 'v'};
    EXPECT_EQ(frame_bytes(reply), reply_frame);

    vux_desktop_request_password request;
    request.password = "vux*1";
    vux_buffer body;
    vux_writer w(body);
    request.write(w);
    EXPECT_EQ(body.read_be32(0), 5);  // the string's length comes first
}

TEST(DesktopMessages, FactoriesCoverEveryCodeAndNothingElse) {
    for (int32_t code = 3898; code <= 3926; ++code) {
        auto response = vux_desktop_make_response(code);
        auto request = vux_desktop_make_request(code);
        const bool ours = code >= 3902 && code <= 3923;
        SCOPED_TRACE(code);
        if (!ours) {
            EXPECT_FALSE(response);
            EXPECT_FALSE(request);
            continue;
        }
        vux_record* made = code % 2 ? response.get() : request.get();
        ASSERT_TRUE(made);
        EXPECT_FALSE(code % 2 ? request : response);
        EXPECT_EQ(made->type_code(), code);
        EXPECT_EQ(std::string(made->class_name()).rfind("vux_desktop_", 0), 0u);
    }
}

TEST(DesktopMessages, EveryMessageRoundTripsThroughItsFrame) {
    for (const vux_message_entry& e : vux_desktop_message_table()) {
        const int32_t code = e.code;
        SCOPED_TRACE(code);
        auto m = code % 2 ? vux_desktop_make_response(code) : vux_desktop_make_request(code);
        desktop_fill_record(*m, code);
        vux_buffer frame = vux_desktop_frame(*m);
        auto back = code % 2 ? vux_desktop_accept(frame, {code}) : vux_desktop_accept_request(frame);
        ASSERT_TRUE(back);
        EXPECT_EQ(frame_bytes(*back), bytes_of(frame));
        // The filled values really travel: the default message frames differently.
        auto empty = code % 2 ? vux_desktop_make_response(code) : vux_desktop_make_request(code);
        EXPECT_NE(frame_bytes(*empty), bytes_of(frame));
    }
}

// Every message, every field set, comes back whole from its JSON dump.
TEST(DesktopMessages, EveryMessageBuildsFromItsDump) {
    for (const vux_message_entry& e : vux_desktop_message_table()) {
        SCOPED_TRACE(e.code);
        auto m = e.make();
        desktop_fill_record(*m, e.code);
        auto back = e.make();
        std::string error;
        ASSERT_TRUE(vux_record_build::from_json(vux_record_dump::to_json(*m), *back, &error)) << error;
        EXPECT_EQ(frame_bytes(*back), frame_bytes(*m));
    }
}

TEST(DesktopAccept, EveryTruncationIsRefused) {
    for (int32_t code : response_codes()) {
        SCOPED_TRACE(code);
        vux_buffer whole = populated_frame(code);
        ASSERT_TRUE(vux_desktop_accept(whole, {code}));
        for (int32_t n = 0; n < whole.length(); ++n) {
            vux_buffer part(whole.data(), n);  // owned copy: ASan sees any read past it
            EXPECT_FALSE(vux_desktop_accept(part, {code})) << "length " << n;
        }
        // A default response truncated anywhere is refused as well.
        auto empty = vux_desktop_make_response(code);
        vux_buffer small = vux_desktop_frame(*empty);
        for (int32_t n = 0; n < small.length(); ++n)
            EXPECT_FALSE(vux_desktop_accept(vux_buffer(small.data(), n), {code})) << "default, length " << n;
    }
}

TEST(DesktopAccept, RefusesWhatIsNotExactlyOneWholeExpectedFrame) {
    const int32_t code = vux_type_desktop_response_site;
    vux_buffer whole = populated_frame(code);
    struct bad_case {
        const char* what;
        vux_buffer frame;
        std::initializer_list<int32_t> expected;
    };
    vux_buffer extra(whole);
    extra.append_byte(0);
    vux_buffer magic(whole);
    magic.pointer()[3] = '-';
    vux_buffer trailer(whole);
    trailer.pointer()[trailer.length() - 1] = 'x';
    vux_buffer twice(whole);
    twice.append_view(whole);
    const bad_case cases[] = {
        {"a byte after the trailer", extra, {code}},
        {"two frames back to back", twice, {code}},
        {"bad magic", magic, {code}},
        {"bad trailer", trailer, {code}},
        {"code not expected", whole, {vux_type_desktop_response_logon, vux_type_desktop_response_verify}},
        {"nothing expected", whole, {}},
        {"a request code expected", whole, {code - 1}},
    };
    for (const auto& c : cases) EXPECT_FALSE(vux_desktop_accept(c.frame, c.expected)) << c.what;
    EXPECT_TRUE(vux_desktop_accept(whole, {vux_type_desktop_response_logon, code}));
    EXPECT_TRUE(vux_desktop_accept_as<vux_desktop_response_site>(whole));
    EXPECT_FALSE(vux_desktop_accept_as<vux_desktop_response_logon>(whole));
}

TEST(DesktopAccept, ShortRepliesNeverReadAsSuccess) {
    // A password reply without its result would read as result 0, "changed".
    vux_buffer no_result;
    {
        vux_writer w(no_result);
        w.write_header_default();
        w.write_int32(vux_type_desktop_response_password);
        w.write_trailer();
    }
    EXPECT_FALSE(vux_desktop_accept(no_result, {vux_type_desktop_response_password}));

    // A verify reply cut after its result would read as a logon to port 0.
    vux_buffer short_verify;
    {
        vux_writer w(short_verify);
        w.write_header_default();
        w.write_int32(vux_type_desktop_response_verify);
        w.write_int32(0);
        w.write_trailer();
    }
    EXPECT_FALSE(vux_desktop_accept_as<vux_desktop_response_verify>(short_verify));

    // A list count larger than the bytes left stops the read.
    vux_buffer huge_list;
    {
        vux_writer w(huge_list);
        w.write_header_default();
        w.write_int32(vux_type_desktop_response_message);
        w.write_int32(0);
        w.write_int32(0);           // text
        w.write_int32(0x7FFFFFFF);  // recent entries
        w.write_trailer();
    }
    EXPECT_FALSE(vux_desktop_accept(huge_list, {vux_type_desktop_response_message}));
}

TEST(DesktopAccept, FrameCodeNamesTheCodeOfAGoodHeaderOnly) {
    vux_buffer whole = populated_frame(vux_type_desktop_response_group);
    EXPECT_EQ(vux_desktop_frame_code(whole), vux_type_desktop_response_group);
    EXPECT_EQ(vux_desktop_frame_code(vux_buffer(whole.data(), 12)), 0);
    vux_buffer magic(whole);
    magic.pointer()[0] = 'w';
    EXPECT_EQ(vux_desktop_frame_code(magic), 0);
}
