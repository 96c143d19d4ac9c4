#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/vux_reader.h"
#include "core/vux_type_codes.h"
#include "core/vux_writer.h"
#include "desktop/desktop_fill.h"
#include "markup/model/vux_request_go.h"
#include "markup/model/vux_request_poll.h"
#include "markup/model/vux_response_go.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_runtime_messages.h"
#include "markup/model/vux_session.h"
#include "markup_model/runtime_record_bytes.h"

namespace {

// The kinds of the fields in wire order: i int, s string, b bytes, L string
// list, and an embedded record as its kinds in brackets.
class kinds : public vux_field_visitor {
public:
    void int32(const char*, int32_t&) override { out += 'i'; }
    void int16(const char*, int16_t&) override { out += 'h'; }
    void byte(const char*, uint8_t&) override { out += 'y'; }
    void string(const char*, vux_string&) override { out += 's'; }
    void unicode(const char*, vux_unicode&) override { out += 'u'; }
    void bytes(const char*, vux_buffer&) override { out += 'b'; }
    void strings(const char*, vux_string_list&) override { out += 'L'; }
    void integers(const char*, vux_integer_list&) override { out += 'I'; }
    void record(const char*, vux_record& r) override {
        out += '[';
        r.fields(*this);
        out += ']';
    }
    void records(const char*, vux_object_list&, const vux_record_factory&) override { out += 'R'; }
    void child(const char*, std::unique_ptr<vux_record>&, const vux_record_factory&) override { out += 'C'; }
    std::string out;
};

struct message_case {
    int32_t code;
    const char* class_name;
    const char* layout;
};
// session [isss]; home [iss[isss]]; device [8 ints, 4 strings, list]
const message_case all_messages[] = {
    {vux_type_request_enter, "vux_request_enter", "iss[isss][iiiiiiiissssL]sL"},
    {vux_type_response_enter, "vux_response_enter", "iiL"},
    {vux_type_request_go, "vux_request_go", "ii[isss]ssLbsL"},
    {vux_type_response_go, "vux_response_go", "iiL"},
    {vux_type_request_logon, "vux_request_logon", "isssL"},
    {vux_type_response_logon, "vux_response_logon", "[iss[isss]]L"},
    {vux_type_request_poll, "vux_request_poll", "iiii[isss]sL"},
    {vux_type_response_poll, "vux_response_poll", "iiL"},
    {vux_type_request_register, "vux_request_register", "ssssssL"},
    {vux_type_response_register, "vux_response_register", "ss[iss[isss]]L"},
};

TEST(RuntimeMessage, EveryCodeRoundTripsAndEveryTruncationFails) {
    for (const auto& mc : all_messages) {
        SCOPED_TRACE(mc.class_name);
        auto m = vux_make_runtime_message(mc.code);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->type_code(), mc.code);
        EXPECT_STREQ(m->class_name(), mc.class_name);
        EXPECT_EQ(m->clone(), nullptr);  // messages are built, never copied
        kinds k;
        m->fields(k);
        EXPECT_EQ(k.out, mc.layout);

        const vux_buffer defaults = record_bytes(*m);
        desktop_fill_record(*m);
        const vux_buffer full = record_bytes(*m);
        EXPECT_NE(byte_vector(full), byte_vector(defaults));

        auto back = vux_make_runtime_message(mc.code);
        vux_reader r(full);
        back->read(r);
        EXPECT_FALSE(r.has_error());
        EXPECT_EQ(r.remaining(), 0);
        EXPECT_EQ(byte_vector(record_bytes(*back)), byte_vector(full));

        for (int32_t n = 0; n < full.length(); ++n) {
            vux_link cut(full.data(), n);
            vux_reader rc(cut);
            auto partial = vux_make_runtime_message(mc.code);
            partial->read(rc);
            ASSERT_TRUE(rc.has_error()) << "cut at " << n;
        }
    }
}

TEST(RuntimeMessage, FactoryKnowsOnlyItsCodes) {
    for (int32_t code : {0, 1299, 1310, 1200, 3906, -1300}) {
        EXPECT_EQ(vux_make_runtime_message(code), nullptr) << code;
        EXPECT_EQ(vux_make_runtime_response(code), nullptr) << code;
    }
    for (const vux_message_entry& e : vux_runtime_message_table())
        EXPECT_EQ(vux_make_runtime_response(e.code) != nullptr, e.response) << e.code;
}

TEST(RuntimeMessage, PollRequestGoldenFrame) {
    vux_request_poll poll;
    poll.sequence = 1;
    poll.host_value = 2;
    poll.document_value = 3;
    poll.queued = 4;
    poll.session.number = 5;
    poll.session.token_1 = "ab";
    poll.session.token_2 = "c";
    vux_buffer frame;
    vux_writer::frame(poll, frame);
    const std::vector<uint8_t> expected = {
        'v', 'u', 'x',  '+',  0,   0,   0, 0, 0,                                   // header
        0,   0,   0x05, 0x1A,                                                      // 1306
        0,   0,   0,    1,    0,   0,   0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5,  // session number
        0,   0,   0,    2,    'a', 'b',                                            // token_1
        0,   0,   0,    1,    'c',                                                 // token_2
        0,   0,   0,    0,                                                         // token_3
        0,   0,   0,    0,                                                         // the trailing string, empty
        0,   0,   0,    0,                                                         // and the string list, empty
        '+', 'x', 'u',  'v',
    };
    EXPECT_EQ(byte_vector(frame), expected);
}

TEST(RuntimeMessage, LogonResponseHomeGivesTheSession) {
    vux_response_logon sent;
    sent.home.port = 8080;
    sent.home.host = "h.example";
    sent.home.path = "/cs";
    sent.home.session.number = 77;
    sent.home.session.token_3 = "t3";
    sent.extras.append_cstr("x");
    const vux_buffer body = record_bytes(sent);

    vux_response_logon got;
    vux_reader r(body);
    got.read(r);
    ASSERT_FALSE(r.has_error());
    vux_session document_session;
    document_session.token_1 = "old";
    document_session = got.home.session;
    EXPECT_EQ(document_session.number, 77);
    EXPECT_TRUE(document_session.token_1.empty());
    EXPECT_EQ(document_session.token_3.str(), "t3");
    EXPECT_EQ(got.home.port, 8080);
    EXPECT_EQ(got.home.host.str(), "h.example");
    EXPECT_EQ(got.home.path.str(), "/cs");
}

TEST(RuntimeMessage, ShortGoResponseKeepsDefaultsAfterTheCut) {
    vux_response_go sent;
    sent.follow_up = 1;
    sent.continued = 9;
    sent.extras.append_cstr("v");
    const vux_buffer body = record_bytes(sent);
    vux_link cut(body.data(), 6);  // follow_up and half of continued
    vux_reader r(cut);
    vux_response_go got;
    got.read(r);
    EXPECT_TRUE(r.has_error());
    EXPECT_EQ(got.follow_up, 1);
    EXPECT_EQ(got.continued, 0);
    EXPECT_EQ(got.extras.count(), 0);
}

TEST(RuntimeMessage, GoRequestCarriesItsBody) {
    vux_request_go go;
    go.code = 12;
    const uint8_t body[] = {0, 1, 2, 0xFE};
    go.body.assign_bytes(body, 4);
    go.values.append_cstr("v1");
    const vux_buffer bytes = record_bytes(go);
    vux_request_go back;
    vux_reader r(bytes);
    back.read(r);
    ASSERT_FALSE(r.has_error());
    EXPECT_EQ(byte_vector(back.body), byte_vector(go.body));
    EXPECT_EQ(back.values.item_at(0).str(), "v1");
}

TEST(Session, ResetCopyAndClone) {
    vux_session s;
    s.number = 3;
    s.token_1 = "a";
    s.token_2 = "b";
    s.token_3 = "c";
    vux_session copy(s);
    EXPECT_EQ(byte_vector(record_bytes(copy)), byte_vector(record_bytes(s)));
    auto clone = s.clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(byte_vector(record_bytes(static_cast<vux_session&>(*clone))), byte_vector(record_bytes(s)));
    s.reset();
    EXPECT_EQ(byte_vector(record_bytes(s)), byte_vector(record_bytes(vux_session())));
    EXPECT_EQ(copy.token_2.str(), "b");
}

}  // namespace
