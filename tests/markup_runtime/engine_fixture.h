#pragma once
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_resource.h"
#include "markup/runtime/vux_engine.h"
#include "vux_fake_host.h"

// A document stream built from records: header, each record's code and
// body, trailer.
class doc_builder {
public:
    doc_builder() : w_(bytes_) { w_.write_header_default(); }
    template <class Record>
    doc_builder& add(const Record& r) {
        w_.write_int32(r.type_code());
        r.write(w_);
        return *this;
    }
    doc_builder& raw_int(int32_t v) {
        w_.write_int32(v);
        return *this;
    }
    std::string done() {
        w_.write_trailer();
        return std::string(reinterpret_cast<const char*>(bytes_.data()), size_t(bytes_.length()));
    }

private:
    vux_buffer bytes_;
    vux_writer w_;
};

inline std::unique_ptr<vux_action_command> command_step(int32_t code) {
    auto s = std::make_unique<vux_action_command>();
    s->command = code;
    return s;
}

inline vux_function function_of(const char* name, std::initializer_list<int32_t> commands) {
    vux_function f;
    f.name = vux_string(name);
    for (int32_t c : commands) f.action.add_step(command_step(c));
    return f;
}

// The texts the error paths show.
inline vux_resource error_texts() {
    vux_resource r;
    for (const char* s : {"__key_error_establish", "no link", "__key_error_main", "main down", "__key_error_poll",
                          "poll down", "__key_error_response", "response "})
        r.pairs.append_cstr(s);
    return r;
}

// An engine on the fake host, private store loaded.
struct engine_fixture : ::testing::Test {
    vux_fake_host host;
    vux_engine* e = nullptr;

    void SetUp() override {
        e = vux_engine_create();
        host.attach(e);
        vux_engine_load_private(e, nullptr, 0);
    }
    void TearDown() override { vux_engine_destroy(e); }

    void start(const std::string& doc) {
        vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    }
    // A document whose "__function_no_exit" connects, and which can log
    // out (6) and exit (11).
    void start_connecting() {
        start(doc_builder()
                  .add(error_texts())
                  .add(function_of("__function_no_exit", {1}))
                  .add(function_of("logout", {6}))
                  .add(function_of("quit", {11}))
                  .done());
    }
    std::string variable(const char* name) {
        char* v = vux_engine_get_variable(e, name);
        std::string out = v ? v : "(none)";
        std::free(v);
        return out;
    }
    int feed(int id, const std::string& bytes) {
        return vux_engine_on_socket_data(e, id, reinterpret_cast<const uint8_t*>(bytes.data()), int(bytes.size()));
    }
    // Ticks t0 .. t0 + n - 1.
    void ticks(int t0, int n) {
        for (int t = t0; t < t0 + n; ++t) vux_engine_tick(e, t);
    }
};
