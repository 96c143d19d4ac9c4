#include "emulator/vux_le_facility.h"
#include "emulator/vux_le_window.h"

#include <gtest/gtest.h>

#include "client/orbel_test_support.h"

#include <QStandardPaths>
#include <string>
#include <vector>

namespace {

struct recording_window : vux_le_window {
    std::vector<std::string> calls;
    void note(std::string s) { calls.push_back(std::move(s)); }
    void start_timer(int rate) override { note("start_timer " + std::to_string(rate)); }
    void stop_timer() override { note("stop_timer"); }
    void open_text_input(int kind, int maximum, const uint16_t*, int tc, const uint16_t*, int c) override {
        note("open_text_input " + std::to_string(kind) + " " + std::to_string(maximum) + " " + std::to_string(tc) +
             " " + std::to_string(c));
    }
    int close_text_input() override {
        note("close_text_input");
        return 1;
    }
    void open_media(int value, const char* kind) override { note("open_media " + std::to_string(value) + " " + kind); }
    int play_music(const char* type, const uint8_t*, int n) override {
        note(std::string("play_music ") + type + " " + std::to_string(n));
        return 1;
    }
    void stop_music(int mode) override { note("stop_music " + std::to_string(mode)); }
    void open_link(const char* kind, const char* text) override { note(std::string("open_link ") + kind + " " + text); }
    void request_location(int kind) override { note("request_location " + std::to_string(kind)); }
    void write_file(const char* name, const uint8_t*, int n) override {
        note(std::string("write_file ") + name + " " + std::to_string(n));
    }
    int query_file(const char* name) override {
        note(std::string("query_file ") + name);
        return 42;
    }
    void restart() override { note("restart"); }
    void exit_requested() override { note("exit_requested"); }
};

TEST(Facility, supports_by_kind) {
    vux_le_persist persist;
    vux_le_facility f(persist);
    const vux_facility_table t = f.table();
    const int expected[] = {1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    for (int kind = 0; kind <= 13; ++kind) EXPECT_EQ(t.supports(t.user, kind), expected[kind]) << kind;
    EXPECT_EQ(t.supports(t.user, -1), 0);
    EXPECT_EQ(t.reserved_1(t.user), 0);
    EXPECT_STREQ(t.link_kinds(t.user), "web\nwap\nxml");
}

TEST(Facility, identity_texts_and_device_id_by_instance) {
    vux_le_persist persist;
    vux_le_facility f(persist);
    f.set_identity(vux_le_facility::device_id, "999000000000000");
    f.set_identity(vux_le_facility::platform, "VUX1.0~WIN32~VARNEK");
    f.set_identity(vux_le_facility::model, "Windows Emulator");
    f.set_identity(vux_le_facility::application_id, "quellhome");
    f.set_identity(vux_le_facility::session_text, "会话");
    const vux_facility_table t = f.table();
    // several texts handed out together all stay valid (a register request takes 3-5 at once)
    const char* key = t.device_key(t.user);
    const char* platform = t.platform(t.user);
    const char* model = t.model(t.user);
    const char* app = t.application_id(t.user);
    const char* session = t.session_text(t.user);
    EXPECT_STREQ(key, "999000000000000");
    EXPECT_STREQ(platform, "VUX1.0~WIN32~VARNEK");
    EXPECT_STREQ(model, "Windows Emulator");
    EXPECT_STREQ(app, "quellhome");
    EXPECT_STREQ(session, "会话");

    struct row {
        const char* id;
        int n;
        const char* expected;
    } rows[] = {{"999000000000000", 0, "999000000000000"},
                {"999000000000000", 5, "999000000000005"},
                {"999000000000097", 5, "999000000000002"},
                {"999000000000001", 99, "999000000000000"}};
    for (const row& r : rows) {
        f.set_identity(vux_le_facility::device_id, r.id);
        f.set_instance(r.n);
        EXPECT_STREQ(t.device_key(t.user), r.expected) << r.id << " + " << r.n;
    }
}

TEST(Facility, window_entries_forward_their_arguments) {
    vux_le_persist persist;
    vux_le_facility f(persist);
    const vux_facility_table t = f.table();
    // without a window nothing happens and results are 0
    t.start_timer(t.user, 7);
    EXPECT_EQ(t.query_file(t.user, "x"), 0);
    EXPECT_EQ(t.play_music(t.user, "amr", nullptr, 0), 0);

    recording_window w;
    f.set_window(&w);
    const uint16_t title[] = {'a', 'b'};
    const uint8_t bytes[] = {1, 2, 3};
    t.start_timer(t.user, 7);
    t.stop_timer(t.user);
    t.open_text_input(t.user, 1, 20, title, 2, nullptr, 0);
    t.close_text_input(t.user);
    t.open_media(t.user, 3, "photo");
    EXPECT_EQ(t.play_music(t.user, "mid", bytes, 3), 1);
    t.stop_music(t.user, 1);
    t.open_link(t.user, "web", "example.org");
    t.request_location(t.user, 2);
    t.write_file(t.user, "a.bin", bytes, 3);
    EXPECT_EQ(t.query_file(t.user, "a.bin"), 42);
    t.after_logout(t.user);
    t.after_exit(t.user);
    t.data_bytes(t.user, bytes, 3);  // the host takes no action
    const std::vector<std::string> expected = {"start_timer 7",
                                               "stop_timer",
                                               "open_text_input 1 20 2 0",
                                               "close_text_input",
                                               "open_media 3 photo",
                                               "play_music mid 3",
                                               "stop_music 1",
                                               "open_link web example.org",
                                               "request_location 2",
                                               "write_file a.bin 3",
                                               "query_file a.bin",
                                               "restart",
                                               "exit_requested"};
    EXPECT_EQ(w.calls, expected);
}

TEST(Facility, a_saved_store_loads_again) {
    orbel_test_app();  // the program's one application, with settings of its own
    vux_le_persist persist;
    persist.set_profile_name("carol");
    vux_le_facility f(persist);
    const vux_facility_table t = f.table();
    const uint8_t store[] = {9, 0, 8};
    EXPECT_EQ(t.save_private(t.user, store, 3), 1);
    EXPECT_EQ(t.save_private(t.user, nullptr, 5), 0);  // no bytes behind a length
    vux_le_persist later;
    later.set_profile_name("carol");
    EXPECT_EQ(later.load_private(0), QByteArray("\x09\x00\x08", 3));
    const int h = t.query(t.user, 2), m = t.query(t.user, 1), s = t.query(t.user, 0);
    EXPECT_TRUE(h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 61);
    EXPECT_EQ(t.query(t.user, 3), 0);
}

}  // namespace
