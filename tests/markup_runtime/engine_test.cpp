#include <cstdlib>
#include "core/vux_reader.h"
#include "core/vux_writer.h"
#include "engine_fixture.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_credential_list.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_response_enter.h"
#include "markup/model/vux_response_logon.h"
#include "markup/model/vux_response_register.h"
#include "markup/runtime/vux_engine_handle.h"
#include "markup/runtime/vux_private.h"

namespace {

std::string be32(uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string str(const std::string& s) { return be32(uint32_t(s.size())) + s; }

std::string http_request(const std::string& frame) {
    return "POST /cs HTTP/1.1\r\nHost: service.test\r\nConnection: close\r\nContent-Length: " +
           std::to_string(frame.size()) + "\r\n\r\n" + frame;
}
std::string frame(uint32_t code, const std::string& body) {
    return std::string("vux+") + '\0' + be32(0) + be32(code) + body + "+xuv";
}
std::string http_reply(const std::string& body, int status = 200) {
    return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " X") +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
// A reply document: records after a header carrying the sequence.
template <class... R>
std::string reply_doc(int32_t sequence, const R&... records) {
    std::string d = doc_builder().add(records...).done();
    const std::string s = be32(uint32_t(sequence));
    d.replace(5, 4, s);
    return d;
}

vux_home home_at(const char* host, int port) {
    vux_home h;
    h.host = vux_string(host);
    h.port = port;
    h.path = vux_string("/cs");
    h.session.number = 77;
    h.session.token_1 = vux_string("tok");
    return h;
}

// Connects and answers the logon with a home, in a reply numbered sequence;
// the enter request then goes out on connection 2.
void log_on(engine_fixture& f, int32_t sequence, void (*start)(engine_fixture&) = nullptr) {
    start ? start(f) : f.start_connecting();
    vux_engine_call_function(f.e, "__function_no_exit");
    vux_response_logon ok;
    ok.home = home_at("home.test", 80);
    vux_engine_on_socket_ready(f.e, 1);
    f.feed(1, http_reply(reply_doc(sequence, ok)));
    vux_engine_tick(f.e, 1);
}

}  // namespace

using Engine = engine_fixture;

// What each entry point does outside the run state it needs.
TEST(EngineGates, CallsOutsideTheirStateDoNothing) {
    const std::string doc = doc_builder().add(function_of("f", {1})).done();
    auto bytes = [&] { return reinterpret_cast<const uint8_t*>(doc.data()); };
    struct scenario {
        const char* what;
        void (*run)(vux_engine*, const uint8_t*, int);
        const char* entry;
        int expected;
    };
    const scenario cases[] = {
        {"start before the store is loaded",
         [](vux_engine* e, const uint8_t* b, int n) { vux_engine_start_document(e, b, n); }, "facility.start_timer", 0},
        {"a second load",
         [](vux_engine* e, const uint8_t*, int) {
             vux_engine_load_private(e, nullptr, 0);
             vux_engine_load_private(e, nullptr, 0);
         },
         "facility.device_key", 1},
        {"a second start",
         [](vux_engine* e, const uint8_t* b, int n) {
             vux_engine_load_private(e, nullptr, 0);
             vux_engine_start_document(e, b, n);
             vux_engine_start_document(e, b, n);
         },
         "facility.start_timer", 1},
        {"clipboard before the start leaves the start possible",
         [](vux_engine* e, const uint8_t* b, int n) {
             vux_engine_load_private(e, nullptr, 0);
             vux_engine_on_clipboard(e, b, n);
             vux_engine_start_document(e, b, n);
         },
         "facility.start_timer", 1},
    };
    for (const scenario& c : cases) {
        vux_fake_host host;
        host.answer("facility.device_key", "460001234567890");
        vux_engine* e = vux_engine_create();
        host.attach(e);
        c.run(e, bytes(), int(doc.size()));
        EXPECT_EQ(host.count(c.entry), c.expected) << c.what;
        vux_engine_destroy(e);
    }
}

TEST_F(Engine, StartCallsScreenResetThenTheTimerAndSetsStartUpVariables) {
    start_connecting();
    const std::vector<std::string> want{"facility.screen_reset", "facility.start_timer 7"};
    std::vector<std::string> got;
    for (const std::string& l : host.log)
        if (l.rfind("facility.s", 0) == 0 && l != "facility.save_private") got.push_back(l);
    EXPECT_EQ(got, want);
    EXPECT_EQ(variable("__key_imsi"), "460001234567890");
    EXPECT_EQ(variable("__key_gps"), "null");
    EXPECT_EQ(variable("__function_no_exit"), "ok");
}

TEST_F(Engine, UnknownCodeIsAScriptErrorAndACutRecordIsDropped) {
    vux_engine* fresh[2] = {vux_engine_create(), vux_engine_create()};
    // A condition is no top-level record.
    const std::string bad = doc_builder().raw_int(1001).done();
    std::string cut = doc_builder().add(function_of("f", {1})).done();
    cut.resize(cut.size() - 8);
    const std::string* docs[2] = {&bad, &cut};
    for (int i = 0; i < 2; ++i) {
        vux_fake_host h;
        h.attach(fresh[i]);
        vux_engine_load_private(fresh[i], nullptr, 0);
        vux_engine_start_document(fresh[i], reinterpret_cast<const uint8_t*>(docs[i]->data()), int(docs[i]->size()));
        EXPECT_EQ(h.count("facility.start_timer"), 0) << i;
        vux_engine_tick(fresh[i], 0);
        EXPECT_EQ(h.count("network.open_connection"), 0) << i;
        vux_engine_destroy(fresh[i]);
    }
}

TEST_F(Engine, UnknownSocketIdAnswersZeroAndIsClosedAtTheNextTick) {
    start_connecting();
    EXPECT_EQ(feed(42, "x"), 0);
    EXPECT_EQ(host.count("network.close_connection 42"), 0);
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("network.close_connection 42"), 1);
    vux_engine_tick(e, 2);
    EXPECT_EQ(host.count("network.close_connection 42"), 1);
}

TEST_F(Engine, RegisterRequestByteForByteThenEnterAndCredentialsSaved) {
    start_connecting();
    vux_engine_call_function(e, "__function_no_exit");
    ASSERT_EQ(host.requests.count(1), 1u);
    const std::string want = http_request(frame(
        1308, str("desk") + str("emulator") + str("460001234567890") + str("") + str("") + str("app-1") + be32(0)));
    EXPECT_EQ(host.requests[1], want);

    vux_response_register r;
    r.user = vux_string("u1");
    r.password = vux_string("p1");
    r.home = home_at("home.test", 8080);
    vux_engine_on_socket_ready(e, 1);
    EXPECT_EQ(feed(1, http_reply(reply_doc(0, r))), 2);
    vux_engine_tick(e, 1);

    // The credentials reached the host's store.
    vux_private store;
    store.credentials.device_key(vux_string("460001234567890"));
    vux_link src(reinterpret_cast<const uint8_t*>(host.saved_store.data()), int32_t(host.saved_store.size()));
    vux_reader reader(src);
    store.read(reader);
    vux_string user;
    ASSERT_TRUE(store.credentials.get_user(user));
    EXPECT_EQ(user.str(), "u1");
    // The enter request went to the home's address with sequence 1.
    ASSERT_EQ(host.requests.count(2), 1u);
    const std::string& enter = host.requests[2];
    EXPECT_EQ(enter.rfind("POST /cs HTTP/1.1\r\nHost: home.test:8080\r\nConnection: close\r\n", 0), 0u) << enter;
    const size_t body = enter.find("\r\n\r\n") + 4;
    EXPECT_EQ(enter.substr(body, 17), std::string("vux+") + '\0' + be32(0) + be32(1300) + be32(1));
    EXPECT_EQ(enter.substr(body + 17, 22), str("app-1") + str("session-5"));
}

TEST_F(Engine, StoredCredentialsLogOnAtTheNextStart) {
    vux_private store;
    store.credentials.device_key(vux_string("460001234567890"));
    store.credentials.store(vux_string("u1"), vux_string("p1"));
    vux_buffer bytes;
    vux_writer w(bytes);
    store.write(w);
    vux_engine* e2 = vux_engine_create();
    vux_fake_host h;
    h.attach(e2);
    vux_engine_load_private(e2, bytes.data(), bytes.length());
    const std::string doc = doc_builder().add(function_of("__function_no_exit", {1})).done();
    vux_engine_start_document(e2, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    vux_engine_call_function(e2, "__function_no_exit");
    ASSERT_EQ(h.requests.count(1), 1u);
    EXPECT_EQ(h.requests[1], http_request(frame(1304, be32(1) + str("u1") + str("p1") + str("") + be32(0))));
    vux_engine_destroy(e2);
}

// Replies on the main channel: each row feeds one reply after a register
// and says what follows.
TEST_F(Engine, MainReplyOutcomes) {
    struct row {
        const char* what;
        std::string reply;
        int resends;        // further connections opened
        const char* error;  // "__dialog_error_text", or null
    };
    vux_response_logon ok;
    ok.home = home_at("home.test", 80);
    const std::string good = reply_doc(0, ok);
    const row rows[] = {
        {"502 is retried", http_reply("", 502), 1, nullptr},
        {"504 is retried", http_reply("", 504), 1, nullptr},
        {"404 shows the response error", http_reply("", 404), 0, "response 404"},
        {"a body that is no frame is retried", http_reply("hello"), 1, nullptr},
        {"a good reply sends the enter", http_reply(good), 1, nullptr},
    };
    for (const row& r : rows) {
        vux_fake_host h;
        vux_engine* x = vux_engine_create();
        h.attach(x);
        vux_engine_load_private(x, nullptr, 0);
        const std::string doc = doc_builder().add(error_texts()).add(function_of("__function_no_exit", {1})).done();
        vux_engine_start_document(x, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
        vux_engine_call_function(x, "__function_no_exit");
        vux_engine_on_socket_ready(x, 1);
        EXPECT_EQ(
            vux_engine_on_socket_data(x, 1, reinterpret_cast<const uint8_t*>(r.reply.data()), int(r.reply.size())), 2)
            << r.what;
        vux_engine_tick(x, 1);
        EXPECT_EQ(h.count("network.open_connection"), 1 + r.resends) << r.what;
        char* text = vux_engine_get_variable(x, "__dialog_error_text");
        if (r.error) {
            EXPECT_NE(text, nullptr) << r.what;
            if (text) {
                EXPECT_STREQ(text, r.error) << r.what;
            }
        } else {
            EXPECT_EQ(text, nullptr) << r.what;
        }
        std::free(text);
        vux_engine_destroy(x);
    }
}

TEST_F(Engine, ReplySplitOverReadsIsDeliveredOnceOnTheNextTick) {
    start_connecting();
    vux_engine_call_function(e, "__function_no_exit");
    vux_response_logon ok;
    ok.home = home_at("home.test", 80);
    const std::string reply = http_reply(reply_doc(0, ok));
    vux_engine_on_socket_ready(e, 1);
    for (size_t i = 0; i + 1 < reply.size(); ++i) EXPECT_EQ(feed(1, reply.substr(i, 1)), 1);
    EXPECT_EQ(feed(1, reply.substr(reply.size() - 1)), 2);
    EXPECT_EQ(host.count("network.open_connection"), 1);
    ticks(1, 3);
    EXPECT_EQ(host.count("network.open_connection"), 2);
}

TEST_F(Engine, MainConnectionFailureWhileEstablishingShowsTheEstablishError) {
    start_connecting();
    vux_engine_call_function(e, "__function_no_exit");
    vux_engine_on_socket_error(e, 1);
    vux_engine_on_socket_error(e, 1);  // a second failure is ignored
    vux_engine_tick(e, 1);
    EXPECT_EQ(variable("__dialog_error_text"), "no link");
    EXPECT_EQ(host.count("network.open_connection"), 1);
}

// No time-out runs while the connect is being established: a silent
// service and one that stops halfway are waited for, and the logon reply
// that comes at last is taken.
TEST_F(Engine, NoTimeOutWhileEstablishing) {
    start_connecting();
    vux_engine_call_function(e, "__function_no_exit");
    vux_engine_on_socket_ready(e, 1);
    vux_response_logon ok;
    ok.home = home_at("home.test", 80);
    const std::string reply = http_reply(reply_doc(0, ok));
    for (int s = 1; s <= 30; ++s) vux_engine_tick(e, 7 * s);
    EXPECT_EQ(feed(1, reply.substr(0, reply.size() / 2)), 1);
    for (int s = 31; s <= 60; ++s) vux_engine_tick(e, 7 * s);
    EXPECT_EQ(variable("__dialog_error_text"), "(none)");
    EXPECT_EQ(variable("__key_network_timeout"), "(none)");
    EXPECT_EQ(host.count("network.open_connection"), 1);
    EXPECT_EQ(feed(1, reply.substr(reply.size() / 2)), 2);
    vux_engine_tick(e, 421);
    EXPECT_EQ(host.count("network.open_connection"), 2);  // the enter request
}

namespace {

// A fresh engine on a host whose connection ids count from 1 again.
void restart(engine_fixture& f) {
    f.TearDown();
    f.host.clear_log();
    f.host.requests.clear();
    f.host.open_ids.clear();
    f.host.next_id = 1;
    f.SetUp();
}

}  // namespace

// The main channel's time-outs once the enter request is written, by what
// its reply has done: ten timed steps without a byte, or five without a
// further byte, resend it. A complete reply held by the sequence test has
// its connection closed and is not resent: it waits, and after sixteen timed
// steps the document is told of the time-out and that a retry is possible.
TEST_F(Engine, MainTimeOutsFollowWhatTheReplyHasDone) {
    enum arrived { nothing, part, held };
    struct row {
        arrived reply;
        int steps;
        int connections;      // opened in all, the logon's and the enter's first
        const char* timeout;  // "__key_network_timeout" and "__key_network_retry"
    };
    const row rows[] = {
        {nothing, 9, 2, "(none)"}, {nothing, 10, 3, "(none)"}, {part, 4, 2, "(none)"},
        {part, 5, 3, "(none)"},    {held, 15, 2, "(none)"},    {held, 16, 2, "ok"},
    };
    for (const row& r : rows) {
        const char* const what[] = {"nothing", "part of the reply", "a held reply"};
        SCOPED_TRACE(std::string(what[r.reply]) + ", " + std::to_string(r.steps) + " steps");
        restart(*this);
        log_on(*this, 5);  // a first reply with sequence 5, so that 7 is held
        ASSERT_EQ(host.requests.count(2), 1u);
        vux_engine_on_socket_ready(e, 2);
        const std::string reply = http_reply(reply_doc(7, vux_response_enter()));
        if (r.reply == part) feed(2, reply.substr(0, reply.size() - 4));
        if (r.reply == held) feed(2, reply);
        ticks(2, 4);
        for (int s = 1; s <= r.steps; ++s) vux_engine_tick(e, 7 * s);
        EXPECT_EQ(host.count("network.open_connection"), r.connections);
        EXPECT_EQ(variable("__key_network_timeout"), r.timeout);
        EXPECT_EQ(variable("__key_network_retry"), r.timeout);
    }
}

// The last reply sequence starts again at each connect: a numbered reply of
// the new logon is not held behind the old session's numbers.
TEST_F(Engine, ReplySequenceStartsAgainAtConnect) {
    log_on(*this, 5);
    vux_engine_on_socket_ready(e, 2);
    feed(2, http_reply(reply_doc(6, vux_response_enter())));
    vux_engine_tick(e, 2);
    ASSERT_EQ(host.count("network.open_connection"), 2);

    vux_engine_call_function(e, "__function_no_exit");
    ASSERT_EQ(host.requests.count(3), 1u);
    vux_response_logon ok;
    ok.home = home_at("home.test", 80);
    vux_engine_on_socket_ready(e, 3);
    feed(3, http_reply(reply_doc(3, ok)));
    vux_engine_tick(e, 3);
    EXPECT_EQ(host.count("network.open_connection"), 4);  // delivered: the enter request went out
}

// The frame body of a request as the fake network got it.
std::string body_of(const std::string& http) { return http.substr(http.find("\r\n\r\n") + 4); }
// The session of home_at() as a request carries it.
std::string session_bytes() { return be32(77) + str("tok") + str("") + str(""); }

// After the enter (sequence 1) the enter reply asks for a poll: the poll goes
// on its own channel with its own counter, the poll interval and the host's
// value; a go step with its show flag takes the next main sequence, one
// without it goes as a side request with sequence 0 and no status dialog.
TEST_F(Engine, PollAndGoRequestsByteForByte) {
    log_on(*this, 0);
    vux_response_enter entered;
    entered.document_value = 30;
    entered.follow_up = 1;
    host.answer("facility.reserved_1", "9");
    vux_engine_on_socket_ready(e, 2);
    feed(2, http_reply(reply_doc(1, entered)));
    vux_engine_tick(e, 2);
    ASSERT_EQ(host.requests.count(3), 1u);
    EXPECT_EQ(body_of(host.requests[3]),
              frame(1306, be32(1) + be32(9) + be32(30) + be32(0) + session_bytes() + str("") + be32(0)));

    auto go_function = [](const char* name, int32_t send) {
        vux_function f;
        f.name = vux_string(name);
        auto go = std::make_unique<vux_action_go>();
        go->code = 5;
        go->send = send;
        go->target_1 = vux_string("t1");
        go->target_2 = vux_string("t2");
        go->variables.append_cstr("v1");
        go->variables.append_cstr("missing");
        f.action.add_step(std::move(go));
        return f;
    };
    vux_resource wait;
    wait.pairs.append_cstr("__key_status_default");
    wait.pairs.append_cstr("wait");
    const std::string more = doc_builder().add(wait).add(go_function("side", 0)).add(go_function("shown", 1)).done();
    vux_engine_on_clipboard(e, reinterpret_cast<const uint8_t*>(more.data()), int(more.size()));
    const std::string values = be32(2) + str("") + str("");  // v1 and missing are both absent
    const std::string tail = be32(0) + str("") + be32(0);    // no body, empty text and list

    vux_engine_call_function(e, "side");
    ASSERT_EQ(host.requests.count(4), 1u);
    EXPECT_EQ(body_of(host.requests[4]),
              frame(1302, be32(5) + be32(0) + session_bytes() + str("t1") + str("t2") + values + tail));
    EXPECT_EQ(variable("__dialog_status_text"), "(none)");

    vux_engine_call_function(e, "shown");
    ASSERT_EQ(host.requests.count(5), 1u);
    EXPECT_EQ(body_of(host.requests[5]),
              frame(1302, be32(5) + be32(2) + session_bytes() + str("t1") + str("t2") + values + tail));
    EXPECT_EQ(variable("__dialog_status_text"), "wait");
}

// After an enter response the device token goes to the service once, on a
// side request, and its variable goes.
TEST_F(Engine, EnterResponseSendsTheDeviceTokenOnce) {
    log_on(*this, 0);
    vux_action token;
    token.disposition = 1;
    token.variable = vux_string("__key_token");
    token.assigned = vux_string("abc123");
    vux_response_enter entered;
    std::string reply = doc_builder().add(token).add(entered).done();
    reply.replace(5, 4, be32(1));
    vux_engine_on_socket_ready(e, 2);
    feed(2, http_reply(reply));
    vux_engine_tick(e, 2);
    ASSERT_EQ(host.requests.count(3), 1u);
    EXPECT_EQ(body_of(host.requests[3]),
              frame(1302, be32(0) + be32(0) + session_bytes() + str("app-1") + str("devicetoken~abc123") + be32(0) +
                              be32(0) + str("") + be32(0)));
    EXPECT_EQ(variable("__key_token"), "(none)");
    EXPECT_EQ(variable("__status_main"), "(none)");  // a side request: no main exchange waits
}

// A new request on a channel replaces the old one whole: the old connection
// is closed and the half-read reply on it does not prefix the new one.
TEST_F(Engine, ANewSendClosesTheOldConnectionAndReply) {
    log_on(*this, 0);  // the enter request waits on connection 2
    const std::string again = doc_builder().add(function_of("again", {10})).done();
    vux_engine_on_clipboard(e, reinterpret_cast<const uint8_t*>(again.data()), int(again.size()));
    vux_engine_on_socket_ready(e, 2);
    feed(2, "HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\nabc");
    vux_engine_call_function(e, "again");  // a register request on the main channel
    EXPECT_EQ(host.count("network.close_connection 2"), 1);
    ASSERT_EQ(host.requests.count(3), 1u);
    vux_engine_on_socket_ready(e, 3);
    EXPECT_EQ(feed(3, http_reply(doc_builder().done())), 2);
    vux_engine_tick(e, 3);
    EXPECT_EQ(variable("__status_main"), "(none)");  // delivered
}

// A host that shows progress itself hears of each step of the reply at once.
TEST_F(Engine, HostShownProgressFollowsTheTraffic) {
    log_on(*this, 0);
    const struct {
        const char* what;
        std::string bytes;  // fed on connection 2; empty: the socket became ready
        const char* busy;   // the last progress the host was told
    } rows[] = {
        {"written", "", "graphics.busy 2 0"},
        {"header", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n", "graphics.busy 2 0"},
        {"half the body", "vux+x", "graphics.busy 2 50"},
    };
    for (const auto& r : rows) {
        const int before = host.count("graphics.busy");
        if (r.bytes.empty())
            vux_engine_on_socket_ready(e, 2);
        else
            feed(2, r.bytes);
        const std::vector<std::string> busy = host.calls("graphics.busy");
        ASSERT_EQ(int(busy.size()), before + 1) << r.what;
        EXPECT_EQ(busy.back(), r.busy) << r.what;
    }
}

// A failed exchange ends the host's busy indicator as the error shows: the
// document does no more network work, and the indicator is told 0 once,
// not only when a later tap ends the exchange it still waited for.
TEST_F(Engine, AFailedExchangeEndsTheHostShownProgress) {
    // The error shows in a dialog of its own, so the failure paints a frame.
    const auto start = [](engine_fixture& f) {
        vux_dialog error;
        error.name = vux_string("__dialog_error");
        f.start(doc_builder().add(error_texts()).add(error).add(function_of("__function_no_exit", {1})).done());
    };
    static void (*const start_with_dialog)(engine_fixture&) = start;
    const struct {
        const char* what;
        void (*fail)(engine_fixture&);
        const char* error;  // "__dialog_error_text"
    } rows[] = {
        {"the enter's connection is lost twice",
         [](engine_fixture& f) {
             log_on(f, 0, start_with_dialog);
             vux_engine_on_socket_error(f.e, 2);
             vux_engine_tick(f.e, 2);  // resent on connection 3
             vux_engine_on_socket_error(f.e, 3);
         },
         "main down"},
        {"the enter is refused with 404",
         [](engine_fixture& f) {
             log_on(f, 0, start_with_dialog);
             vux_engine_on_socket_ready(f.e, 2);
             f.feed(2, http_reply("", 404));
         },
         "response 404"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        restart(*this);
        r.fail(*this);
        const int before = host.count("graphics.busy 0 0");
        vux_engine_tick(e, 9);
        EXPECT_EQ(variable("__dialog_error_text"), r.error);
        const std::vector<std::string> busy = host.calls("graphics.busy");
        ASSERT_FALSE(busy.empty());
        EXPECT_EQ(busy.back(), "graphics.busy 0 0");
        EXPECT_EQ(host.count("graphics.busy 0 0"), before + 1);
        ticks(10, 30);  // the error stays: nothing more to tell
        EXPECT_EQ(host.calls("graphics.busy").size(), busy.size());
    }
}

TEST_F(Engine, ReplyBodyOverTheCapIsRefused) {
    start_connecting();
    vux_engine_call_function(e, "__function_no_exit");
    vux_engine_on_socket_ready(e, 1);
    EXPECT_EQ(feed(1, "HTTP/1.1 200 OK\r\nContent-Length: 16777217\r\n\r\nvux+"), 2);
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("network.open_connection"), 2);  // refused with code 0: retried
}

TEST_F(Engine, LogoutSavesTheStoreAndCallsTheHostExitToo) {
    log_on(*this, 0);  // "__key_connected" is now in the store
    host.clear_log();
    vux_engine_call_function(e, "logout");
    vux_engine_tick(e, 2);
    EXPECT_EQ(host.count("facility.after_logout"), 1);
    EXPECT_EQ(host.count("facility.stop_timer"), 1);
    EXPECT_EQ(host.count("network.stopped"), 1);
    EXPECT_EQ(host.count("facility.save_private"), 1);
    EXPECT_EQ(host.open_ids.size(), 0u);
    // Stopped: ticks do nothing, get_variable answers nothing.
    EXPECT_EQ(variable("__key_logout"), "(none)");
    // The host hears of the stop once: going with the engine does not stop
    // the stopped document again.
    vux_engine_destroy(e);
    e = nullptr;
    EXPECT_EQ(host.count("network.stopped"), 1);

    vux_fake_host h2;
    vux_engine* x = vux_engine_create();
    h2.attach(x);
    vux_engine_load_private(x, nullptr, 0);
    const std::string doc = doc_builder().add(function_of("quit", {11})).done();
    vux_engine_start_document(x, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    vux_engine_call_function(x, "quit");
    vux_engine_tick(x, 1);
    EXPECT_EQ(h2.count("facility.after_exit"), 1);
    EXPECT_EQ(h2.count("facility.after_logout"), 0);
    vux_engine_destroy(x);
}

TEST_F(Engine, NullEntriesAreSkipped) {
    vux_engine* x = vux_engine_create();
    vux_engine_load_private(x, nullptr, 0);
    const std::string doc = doc_builder().add(function_of("__function_no_exit", {1})).done();
    vux_engine_start_document(x, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    vux_engine_call_function(x, "__function_no_exit");
    vux_engine_tick(x, 7);
    vux_engine_destroy(x);
}

// The engine goes with an overtime still counting and a waiting action: the
// document is stopped before the canvas it ends them through is gone (the
// sanitizer build checks the teardown).
TEST(EngineTeardown, GoesWithAnOvertimeRunning) {
    vux_fake_host host;
    vux_engine* e = vux_engine_create();
    host.attach(e);
    vux_engine_load_private(e, nullptr, 0);
    vux_overtime overtime;
    overtime.limit = 100;
    overtime.action.add_step(command_step(11));
    const std::string doc = doc_builder().add(overtime).done();
    vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    char* status = vux_engine_get_variable(e, "__status_overtime");
    ASSERT_NE(status, nullptr);
    EXPECT_STREQ(status, "ok");
    std::free(status);
    vux_engine_destroy(e);
}

namespace {

// A function of one go step with its show flag: a main exchange.
vux_function shown_go(const char* name) {
    vux_function f;
    f.name = vux_string(name);
    auto go = std::make_unique<vux_action_go>();
    go->code = 5;
    f.action.add_step(std::move(go));
    return f;
}

void add_records(engine_fixture& f, const std::string& doc) {
    vux_engine_on_clipboard(f.e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
}

// A fresh engine whose main exchange is written and waits for its reply:
// the enter request after a logon, else the connect's logon. Its connection.
int fresh_main_exchange(engine_fixture& f, bool logged_on) {
    restart(f);
    if (logged_on) {
        log_on(f, 0);
    } else {
        f.start_connecting();
        vux_engine_call_function(f.e, "__function_no_exit");
    }
    const int id = logged_on ? 2 : 1;
    vux_engine_on_socket_ready(f.e, id);
    return id;
}

}  // namespace

// A logout from the network-error state leaves a note for the next start
// ("__key_failure") only when the service was never reached: once a reply
// came, the logout takes "__key_connected" from the store instead.
TEST_F(Engine, FailureNoteOnlyWhenTheServiceWasNeverReached) {
    const struct {
        const char* what;
        bool reached;  // the logon reply came before the failure
        const char* failure;
    } rows[] = {{"the logon refused", false, "ok"}, {"the enter refused after the logon", true, "(none)"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const int id = fresh_main_exchange(*this, r.reached);
        feed(id, http_reply("", 404));
        vux_engine_tick(e, 2);
        ASSERT_EQ(variable("__dialog_error_text"), "response 404");
        vux_engine_call_function(e, "logout");
        vux_engine_tick(e, 3);
        ASSERT_EQ(host.count("facility.after_logout"), 1);
        start_connecting();
        EXPECT_EQ(variable("__key_failure"), r.failure);
    }
}

// However the main exchange fails, the host's busy indicator is told to stop:
// the error state runs no exchange, though its wait holds until input ends it.
TEST_F(Engine, AFailedMainExchangeEndsTheBusyIndicator) {
    const struct {
        const char* what;
        bool logged_on;     // the failure hits the enter request, else the logon
        bool refused;       // a 404 reply, else the connection lost (twice after the logon)
        const char* error;  // "__dialog_error_text"
    } rows[] = {
        {"the connect's connection lost", false, false, "no link"},
        {"the enter refused", true, true, "response 404"},
        {"the enter's connection lost twice", true, false, "main down"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const int id = fresh_main_exchange(*this, r.logged_on);
        if (r.refused) {
            feed(id, http_reply("", 404));
        } else {
            vux_engine_on_socket_error(e, id);
            if (r.logged_on) {
                vux_engine_tick(e, 2);  // resent once, on the next connection
                vux_engine_on_socket_error(e, id + 1);
            }
        }
        ticks(3, 2);
        EXPECT_EQ(variable("__dialog_error_text"), r.error);
        EXPECT_EQ(variable("__status_main"), "ok");  // the wait holds until input ends it
        const std::vector<std::string> busy = host.calls("graphics.busy");
        ASSERT_FALSE(busy.empty());
        EXPECT_EQ(busy.back(), "graphics.busy 0 0");
    }
}

// A key that ends a connect still being established ends its establishing
// too: a later main exchange times out and is retried as any other.
TEST_F(Engine, AKeyThatEndsAConnectEndsItsEstablishing) {
    start_connecting();
    add_records(*this, doc_builder().add(shown_go("go")).done());
    vux_engine_call_function(e, "__function_no_exit");
    vux_engine_key(e, 0);  // the wait ends
    vux_engine_call_function(e, "go");
    ASSERT_EQ(host.requests.count(2), 1u);
    vux_engine_on_socket_error(e, 2);
    vux_engine_tick(e, 1);
    EXPECT_EQ(variable("__dialog_error_text"), "(none)");
    EXPECT_EQ(host.count("network.open_connection"), 3);  // resent
    vux_engine_on_socket_ready(e, 3);
    for (int s = 1; s <= 10; ++s) vux_engine_tick(e, 7 * s);
    EXPECT_EQ(host.count("network.open_connection"), 4);  // ten silent timed steps resend it
}

// The action queue and the overtime wait while a main exchange waits, also
// in an error state; with no main exchange waiting the queued action runs.
// A main exchange that failed is over for the busy indicator, but its wait
// still holds the queue in the error state it left.
TEST_F(Engine, TheQueueWaitsForAWaitingMainExchange) {
    const struct {
        const char* what;
        bool main_waits;
        bool step_error;
        bool main_fails;
        const char* ran;
    } rows[] = {
        {"the enter waits", true, false, false, "(none)"},
        {"the enter waits after an error step", true, true, false, "(none)"},
        {"the enter failed", true, false, true, "(none)"},
        {"the enter was answered", false, false, false, "1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        restart(*this);
        log_on(*this, 0);  // the enter request waits on connection 2
        if (r.main_fails) {
            // Lost, resent on connection 3, lost again: the main error.
            for (int id : {2, 3}) {
                vux_engine_on_socket_error(e, id);
                vux_engine_tick(e, 1);
            }
            ASSERT_NE(variable("__dialog_error_text"), "(none)");
        }
        if (!r.main_waits) {
            vux_engine_on_socket_ready(e, 2);
            feed(2, http_reply(reply_doc(1, vux_response_enter())));
            vux_engine_tick(e, 2);
            ASSERT_EQ(variable("__status_main"), "(none)");
        }
        vux_action queued;
        queued.disposition = 4;  // the queue opens with it
        auto set = std::make_unique<vux_action_environment>();
        set->names.append_cstr("ran");
        set->names.append_cstr("1");
        queued.add_step(std::move(set));
        vux_function fail;
        fail.name = vux_string("fail");
        auto error = std::make_unique<vux_action_error>();
        error->message = vux_unicode(u"stop");
        fail.action.add_step(std::move(error));
        add_records(*this, doc_builder().add(queued).add(fail).done());
        if (r.step_error) vux_engine_call_function(e, "fail");
        for (int s = 1; s <= 3; ++s) vux_engine_tick(e, 7 * s);
        EXPECT_EQ(variable("ran"), r.ran);
    }
}

// The user's retry (command 2) resends the main request, or else a stuck
// poll; when that cannot be done the main error is shown, not the poll's.
TEST_F(Engine, AFailedUserRetryShowsTheMainError) {
    log_on(*this, 0);
    vux_response_enter entered;
    entered.follow_up = 1;
    vux_engine_on_socket_ready(e, 2);
    feed(2, http_reply(reply_doc(1, entered)));
    vux_engine_tick(e, 2);
    ASSERT_EQ(host.requests.count(3), 1u);  // the poll waits
    add_records(*this, doc_builder().add(shown_go("go")).add(function_of("retry", {2})).done());
    vux_engine_call_function(e, "go");
    vux_engine_key(e, 0);  // ends the go's wait, and its request with it
    host.queue("network.open_connection", "0");
    vux_engine_call_function(e, "retry");
    EXPECT_EQ(variable("__dialog_error_text"), "main down");
}

// A go step that asks for it stops the overtime while its request runs: the
// overtime stays, not counting, until the reply ends it.
TEST_F(Engine, AGoStepStopsTheOvertimeUntilItsReply) {
    vux_overtime overtime;
    overtime.limit = 100;
    vux_function go = shown_go("go");
    static_cast<vux_action_go*>(go.action.step_at(0))->clear_first = 1;
    start(doc_builder().add(overtime).add(go).done());
    vux_engine_call_function(e, "go");
    ASSERT_EQ(host.requests.count(1), 1u);
    vux_manager& m = *static_cast<vux_manager*>(e);
    ASSERT_NE(m.document().overtime, nullptr);
    EXPECT_TRUE(m.document().overtime->stopped);
    EXPECT_EQ(variable("__status_overtime"), "ok");
    vux_engine_on_socket_ready(e, 1);
    feed(1, http_reply(doc_builder().done()));
    vux_engine_tick(e, 1);
    EXPECT_EQ(m.document().overtime, nullptr);
    EXPECT_EQ(variable("__status_overtime"), "(none)");
}
