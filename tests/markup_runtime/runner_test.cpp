#include <cstdlib>
#include "engine_fixture.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_invoke.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_data.h"
#include "markup/runtime/vux_engine_handle.h"
#include "toolkit/vux_lzw_pack.h"

namespace {

vux_function input_function(const char* name, const char* variable, int32_t then_command) {
    vux_function f;
    f.name = vux_string(name);
    auto in = std::make_unique<vux_action_input>();
    in->state = 1;
    in->value_1 = 20;
    in->variable = vux_string(variable);
    in->text_1 = vux_string("Title");
    in->text = vux_unicode(u"start");
    f.action.add_step(std::move(in));
    f.action.add_step(command_step(then_command));
    return f;
}

vux_function calling(const char* name, const char* target, int32_t mode = 0) {
    vux_function f;
    f.name = vux_string(name);
    auto s = std::make_unique<vux_action_invoke>();
    s->target = vux_string(target);
    s->mode = mode;
    f.action.add_step(std::move(s));
    return f;
}

vux_function upload_function(const char* name, const char* data_name, const char* kind, int32_t value) {
    vux_function f;
    f.name = vux_string(name);
    auto up = std::make_unique<vux_action_upload>();
    up->value_2 = value;
    up->data_name = vux_string(data_name);
    up->text_1 = vux_string(kind);
    f.action.add_step(std::move(up));
    return f;
}

vux_function environment_function(const char* name, int32_t operation, std::initializer_list<const char*> pairs) {
    vux_function f;
    f.name = vux_string(name);
    auto env = std::make_unique<vux_action_environment>();
    env->operation = operation;
    for (const char* p : pairs) env->names.append_cstr(p);
    f.action.add_step(std::move(env));
    return f;
}

}  // namespace

using Runner = engine_fixture;

TEST_F(Runner, InputStepBlocksKeysThenResumesAndStoresTheTextPlainly) {
    start(doc_builder().add(input_function("ask", "answer", 11)).done());
    vux_engine_call_function(e, "ask");
    ASSERT_EQ(host.calls("facility.open_text_input"),
              std::vector<std::string>{"facility.open_text_input 1 20 \"Title\" \"start\""});
    EXPECT_EQ(variable("__status_input"), "ok");
    vux_engine_key(e, 0);  // blocked: ignored
    const std::u16string typed = u"+ 5";
    vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>(typed.data()), int(typed.size()));
    EXPECT_EQ(host.count("facility.after_exit"), 0);
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("facility.after_exit"), 1);  // the step after the input ran
}

TEST_F(Runner, EnteredTextIsAssignedAsTyped) {
    start(doc_builder().add(input_function("ask", "answer", 3)).done());
    vux_engine_call_function(e, "ask");
    const std::u16string typed = u"# __key_imsi";
    vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>(typed.data()), int(typed.size()));
    vux_engine_tick(e, 1);
    EXPECT_EQ(variable("answer"), "# __key_imsi");
    // No longer blocked.
    vux_engine_call_function(e, "ask");
    EXPECT_EQ(host.count("facility.open_text_input"), 2);
}

TEST_F(Runner, CancelledInputOrMediaUnblocksAtOnce) {
    start(doc_builder()
              .add(upload_function("snap", "photo", "camera", 3))
              .add(input_function("ask", "answer", 3))
              .done());
    vux_engine_call_function(e, "snap");
    EXPECT_EQ(host.calls("facility.open_media"), std::vector<std::string>{"facility.open_media 3 \"camera\""});
    vux_engine_on_media(e, nullptr, 0);
    vux_engine_call_function(e, "ask");  // not blocked: the input opens
    EXPECT_EQ(host.count("facility.open_text_input"), 1);
    vux_engine_on_input_text(e, nullptr, 0);
    vux_engine_call_function(e, "snap");
    EXPECT_EQ(host.count("facility.open_media"), 2);
}

TEST_F(Runner, MediaIsFiledUnderTheUploadStepsName) {
    start(doc_builder().add(upload_function("snap", "photo", "photo", 0)).done());
    vux_engine_call_function(e, "snap");
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    vux_engine_on_media(e, jpeg, 4);
    vux_engine_tick(e, 1);
    int n = 0;
    const uint8_t* got = vux_engine_get_data(e, "photo", &n);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(got), size_t(n)), std::string("\xFF\xD8\xFF\xD9"));
}

TEST_F(Runner, LocationResults) {
    start(doc_builder().add(function_of("__function_on_cid", {11})).done());
    vux_engine_on_location(e, 0, nullptr);
    EXPECT_EQ(variable("__key_gps"), "null");
    vux_engine_on_location(e, 1, "1 2.5");
    EXPECT_EQ(variable("__key_cid"), "1 2.5");  // stored as given, not parsed
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("facility.after_exit"), 1);  // its function ran
    EXPECT_EQ(host.count("facility.save_private"), 2);
}

TEST_F(Runner, SelfCallingFunctionsAndStreamsStopAtTheDepthLimit) {
    // f calls itself; the data item "loop" holds a stream that invokes itself.
    vux_function g = calling("g", "loop", 1);
    std::string inner = doc_builder().add(g).done();
    vux_data loop;
    loop.name = vux_string("loop");
    loop.bytes.assign_bytes(inner.data(), int32_t(inner.size()));
    start(doc_builder().add(calling("f", "f")).add(loop).add(g).done());
    vux_engine_call_function(e, "f");
    EXPECT_EQ(variable("__dialog_fatal_text"), "SCRIPT ERROR!");
    vux_engine_call_function(e, "g");
}

TEST_F(Runner, StoredFileNamesAreConfined) {
    struct row {
        const char* name;
        bool written;
    };
    const row rows[] = {{"notes.txt", true}, {"", false},    {"/", false},       {"\\", false},  {"..", false},
                        {"a/../b", false},   {"a/b", false}, {".hidden", false}, {"a\nb", false}};
    doc_builder d;
    for (const row& r : rows) {
        vux_data item;
        item.name = vux_string(r.name);
        item.flags = 8;
        item.bytes.assign_bytes("xy", 2);
        d.add(item);
    }
    start(d.done());
    EXPECT_EQ(host.files.size(), 1u);
    EXPECT_EQ(host.files.count("notes.txt"), 1u);
}

TEST_F(Runner, PackedAndRawDocumentsLoadAlike) {
    const std::string raw = doc_builder().add(function_of("one", {3})).add(function_of("two", {3})).done();
    start(vux_tools::lzw_pack_document(raw));
    EXPECT_EQ(variable("one"), "ok");
    EXPECT_EQ(variable("two"), "ok");
    EXPECT_EQ(host.count("facility.start_timer"), 1);
}

TEST_F(Runner, FunctionWithoutActionsRemovesTheFunctionAndItsVariable) {
    vux_function empty;
    empty.name = vux_string("one");
    start(doc_builder().add(function_of("one", {3})).add(empty).done());
    EXPECT_EQ(variable("one"), "(none)");
    vux_engine_call_function(e, "one");
}

TEST_F(Runner, IndirectFunctionName) {
    start(doc_builder().add(function_of("quit", {11})).add(environment_function("set", 0, {"f", "quit"})).done());
    vux_engine_call_function(e, "set");
    EXPECT_EQ(variable("f"), "quit");
    vux_engine_call_function(e, "$ f");
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("facility.after_exit"), 1);
}

TEST_F(Runner, ASecondInputStepKeepsItsWait) {
    vux_function f = input_function("ask", "first", 3);
    auto second = std::make_unique<vux_action_input>();
    second->variable = vux_string("second");
    f.action.add_step(std::move(second));
    start(doc_builder().add(f).done());
    vux_engine_call_function(e, "ask");
    const std::u16string a = u"a", b = u"b";
    vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>(a.data()), 1);
    vux_engine_tick(e, 1);
    EXPECT_EQ(host.count("facility.open_text_input"), 2);
    // Still waiting for the second text: the steps have not run yet.
    EXPECT_EQ(variable("first"), "(none)");
    vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>(b.data()), 1);
    vux_engine_tick(e, 2);
    EXPECT_EQ(variable("first"), "a");
    EXPECT_EQ(variable("second"), "b");
    EXPECT_EQ(host.count("facility.open_text_input"), 2);
}

// The host's answer to a save is not looked at: a store it did not keep is
// not saved again by the timed steps.
TEST_F(Runner, AFailedStoreSaveIsNotRetried) {
    // Operation 2 assigns into the private store too, then saves it.
    start(doc_builder().add(environment_function("keep", 2, {"city", "Xi'an"})).done());
    host.queue("facility.save_private", "0");
    vux_engine_call_function(e, "keep");
    EXPECT_EQ(host.count("facility.save_private"), 1);
    for (int s = 1; s <= 3; ++s) vux_engine_tick(e, 7 * s);
    EXPECT_EQ(host.count("facility.save_private"), 1);
}

// An environment step's empty value removes the variable, from each store
// the step's operation assigns to.
TEST_F(Runner, EnvironmentStepEmptyValueRemoves) {
    const struct {
        int32_t operation;
        bool own, kept;  // also the document's own variables, the private store's
    } rows[] = {{0, false, false}, {1, true, false}, {2, false, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.operation);
        TearDown();
        SetUp();
        start(doc_builder()
                  .add(environment_function("set", r.operation, {"v", "x"}))
                  .add(environment_function("unset", r.operation, {"v", ""}))
                  .done());
        vux_manager& m = *static_cast<vux_manager*>(e);
        const vux_string v("v");
        vux_engine_call_function(e, "set");
        ASSERT_TRUE(m.variables().contains(v));
        ASSERT_EQ(m.document().own_variables.contains(v), r.own);
        ASSERT_EQ(m.document().private_store.variables.contains(v), r.kept);
        vux_engine_call_function(e, "unset");
        EXPECT_FALSE(m.variables().contains(v));
        EXPECT_FALSE(m.document().own_variables.contains(v));
        EXPECT_FALSE(m.document().private_store.variables.contains(v));
    }
}

// A queued action is started as any other: an input step in it waits for
// the host's text.
TEST_F(Runner, AQueuedActionIsStarted) {
    vux_action queued = std::move(input_function("unused", "answer", 3).action);
    queued.disposition = 4;  // the queue opens with it
    start(doc_builder().add(queued).done());
    for (int s = 1; s <= 3; ++s) vux_engine_tick(e, 7 * s);
    EXPECT_EQ(host.count("facility.open_text_input"), 1);
    EXPECT_EQ(variable("__status_input"), "ok");
}

// A negative skip count must not walk the step index backwards: the action
// goes on with the next step.
TEST_F(Runner, NegativeSkipGoesOnWithTheNextStep) {
    vux_function f = environment_function("f", 0, {"seen", "yes"});
    static_cast<vux_prediction*>(f.action.step_at(0))->skip = -3;
    f.action.add_step(command_step(11));
    start(doc_builder().add(f).done());
    vux_engine_call_function(e, "f");
    EXPECT_EQ(variable("seen"), "yes");
    vux_engine_tick(e, 1);  // the exit, once
    EXPECT_EQ(host.count("facility.after_exit"), 1);
}

// Numbered upload files ("0.ul", "1.ul", ...) are tried a bounded number of
// times: with every name taken nothing is written and the file variable goes.
TEST_F(Runner, NumberedUploadNamesGiveUpWhenAllAreTaken) {
    vux_function f = upload_function("send", "voice", "voice", 0);
    static_cast<vux_action_upload*>(f.action.step_at(0))->value_5 = 1;
    start(doc_builder().add(f).add(environment_function("mark", 0, {"__key_chat_file_id", "old"})).done());
    vux_engine_call_function(e, "mark");
    for (int n = 0; n < 1000; ++n) host.files[std::to_string(n) + ".ul"] = "x";
    vux_engine_call_function(e, "send");
    const uint8_t amr[] = {'#', '!', 'A', 'M', 'R', '\n'};
    vux_engine_on_media(e, amr, int(sizeof amr));
    EXPECT_EQ(host.count("facility.query_file"), 1000);
    EXPECT_EQ(host.count("facility.write_file"), 0);
    EXPECT_EQ(variable("__key_chat_file_id"), "(none)");
}

// An action record of disposition 1 runs while the stream is read, before
// the records after it are filed; any other disposition waits for the end.
TEST_F(Runner, ActionRecordsRunNowOrWhenTheReadingEnds) {
    for (const int32_t disposition : {1, 0}) {
        SCOPED_TRACE(disposition);
        vux_fake_host h;
        vux_engine* x = vux_engine_create();
        h.attach(x);
        vux_engine_load_private(x, nullptr, 0);
        vux_action a = std::move(calling("unused", "quit").action);
        a.disposition = disposition;
        const std::string doc = doc_builder().add(a).add(function_of("quit", {11})).done();
        vux_engine_start_document(x, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
        vux_engine_tick(x, 1);
        EXPECT_EQ(h.count("facility.after_exit"), disposition == 1 ? 0 : 1);
        vux_engine_destroy(x);
    }
}

// The device results keep the latest text or media answer for the waiting
// action until one tick resumes it; an answer with nothing waiting is not kept.
TEST_F(Runner, DeviceAnswersAreKeptForOneResume) {
    start(
        doc_builder().add(input_function("ask", "answer", 3)).add(upload_function("snap", "photo", "photo", 0)).done());
    vux_manager& m = *static_cast<vux_manager*>(e);
    const std::u16string a = u"a", b = u"b";
    const uint8_t one[] = {1}, two[] = {2, 2};
    const struct {
        const char* function;
        bool media;
    } rows[] = {{"ask", false}, {"snap", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.function);
        auto answer = [&](bool second) {
            if (r.media)
                vux_engine_on_media(e, second ? two : one, second ? 2 : 1);
            else
                vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>((second ? b : a).data()), 1);
        };
        auto kept = [&] { return r.media ? m.device_results().has_media() : m.device_results().has_input(); };
        vux_engine_call_function(e, r.function);
        answer(false);
        answer(true);  // replaces the first
        EXPECT_TRUE(kept());
        vux_engine_tick(e, 1);
        EXPECT_FALSE(kept());
        EXPECT_FALSE(m.runner().is_waiting());
        answer(false);  // nothing waits: dropped
        EXPECT_FALSE(kept());
        vux_engine_tick(e, 2);
    }
    EXPECT_EQ(variable("answer"), "b");
    int n = 0;
    ASSERT_NE(vux_engine_get_data(e, "photo", &n), nullptr);
    EXPECT_EQ(n, 2);
}
