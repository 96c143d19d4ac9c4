#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_object.h"
#include "core/vux_object_list.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_queue.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_session.h"
#include "markup/model/vux_subtitle_list.h"
#include "markup/runtime/vux_environment.h"
#include "markup/runtime/vux_private.h"

class vux_manager;
class vux_reader;
class vux_writer;
class vux_home;
class vux_action_go;
class vux_action_input;
class vux_action_upload;
class vux_action_show;
class vux_action_clear;
class vux_action_motion;
class vux_screen;
class vux_stack;
class vux_element_commandbar;

// The running document: what its streams defined, its run state, the
// exchanges with the service and the actions it runs.
class vux_document : public vux_object {
public:
    enum state_kind : int32_t { state_ok = 0, state_script_error = 1, state_network_error = 2, state_step_error = 3 };
    // Deepest nesting of streams read from inside a stream, or of functions
    // calling functions.
    static constexpr int32_t max_depth = 16;
    // Tries of a ".ul" file name before giving up.
    static constexpr int32_t max_numbered_names = 1000;

    vux_document() = default;
    ~vux_document() override;
    vux_document(const vux_document&) = delete;
    vux_document& operator=(const vux_document&) = delete;

    void bind(vux_manager* manager) { manager_ = manager; }

    // ---- run state
    bool is_loaded() const { return loaded_; }
    bool is_started() const { return started_; }
    bool is_running() const { return started_ && !connect_pending_; }
    bool is_blocked() const { return waiting_ != nullptr; }
    int32_t state() const { return state_; }
    bool in_error() const { return state_ != state_ok; }
    bool establishing() const { return establishing_; }

    void load_private(const uint8_t* bytes, int32_t length);
    void start(const uint8_t* bytes, int32_t length);
    void tick_not_running();
    // After tick, key and pointer: carries out a logout or exit request.
    void refresh();
    void stop();
    void request_connect() { connect_pending_ = true; }

    // ---- loading
    void load(const uint8_t* bytes, int32_t length);
    void read(vux_reader& reader) override;
    void script_error(const char* text);

    // ---- exchanges
    void connect();
    void send_register();
    void send_enter();
    void send_poll();
    void send_go(const vux_action_go& step);
    bool timed_step(int32_t seconds);
    void apply_home(const vux_home& home);
    // A failure of the service's exchanges: the network-error state and the
    // error dialog with the text of the variable text_key, then suffix.
    void network_failed(const char* text_key, const vux_string& suffix = vux_string());
    // The connect dialog goes when the first exchange ends either way.
    void end_establishing();
    void end_overtime();
    bool save_private();
    // The state record of the settle snapshot.
    void write_state(vux_writer& w) const;

    // ---- actions
    // Runs the steps in place; the result is the last stopping step's (0 else).
    int32_t run(vux_action& action);
    // Runs a copy at once: the steps may close and sweep the screen that
    // owns the action, so the original must not be walked.
    int32_t run_copy(const vux_action& action);
    // The full run: a copy that may wait for the host.
    void start_action(const vux_action& action);
    void call_function(const vux_string& name);
    void run_command(int32_t code);
    bool resume_input();
    bool resume_media();
    void on_input_text(const uint16_t* text, int32_t count);
    void on_media(const uint8_t* bytes, int32_t length);
    void on_location(int32_t status, const char* text);

    // ---- dialogs shown with a text
    void show_dialog(const char* name, const vux_string& text);
    void close_dialog(const char* name);
    void show_status(const vux_string& text);

    vux_environment& variables();
    vux_string text_of(const char* key);

    // A screen left its stack while closing: what it owned goes with it.
    void screen_closed(const vux_screen& screen, int32_t kind);
    // Before a command bar is painted: what its two slots show.
    void resolve_soft_keys(vux_element_commandbar& bar);
    // Whether a command bar shows the variable: a condition of its shown
    // commands names it, or a menu one of its soft keys opens has it.
    bool bar_shows(vux_element_commandbar& bar, const vux_string& name);
    // A variable changed: the window and the dialog in front that show it
    // are painted again at the next settle.
    void name_changed(const vux_string& name);
    // ---- music and animation
    bool media_blocking() const { return (music_handle && music_blocking) || (animation_handle && animation_blocking); }
    // Stops both; with run_end the kept end actions start first.
    void stop_media(bool run_end);
    // Per-tick work of the document; true when it did something.
    bool tick_work();
    // After ten ticks without input: the subtitles scroll over a quiet window.
    void idle_work();
    // Input ends a subtitle on screen.
    void end_subtitle();
    int32_t music_handle = 0;
    int32_t animation_handle = 0;
    bool music_blocking = false;
    bool animation_blocking = false;
    std::unique_ptr<vux_action> music_end;
    std::unique_ptr<vux_action> animation_end;
    vux_object_list motions;

    vux_private private_store;
    vux_environment own_variables;
    vux_session session;
    vux_string path;
    vux_string status_text;
    vux_object_list functions, odds, options, switches, start_actions;
    vux_subtitle_list subtitles;
    vux_action_queue action_queue;
    std::unique_ptr<vux_overtime> overtime;

    int32_t main_sequence = 0;
    int32_t poll_sequence = 0;
    int64_t time_count = 0;
    bool logout_requested = false;
    bool exit_requested = false;
    bool failure_note = false;
    bool deferred_settle = false;
    bool deferred_status_close = false;
    bool timed_triggers = false;
    bool timer_running = false;
    bool private_dirty = false;

private:
    void set_startup_variables();
    void file_record(int32_t code, vux_reader& reader);
    void file_data(std::unique_ptr<vux_data> data);
    void run_start_actions();
    void open_waiting(std::unique_ptr<vux_action> action);
    void drop_waiting();
    int32_t run_step(vux_prediction& step);
    int32_t run_screen_step(vux_prediction& step);
    void run_clear(const vux_action_clear& step);
    void drop_owned(const vux_string& owner);
    void sweep_motions(bool finish_all);
    bool overtime_counts();
    bool pull_step();
    void run_invoke(const vux_string& target, bool read_data);
    void update_time_variables();
    template <class Message>
    bool read_response(vux_reader& reader, Message& message);

    vux_manager* manager_ = nullptr;
    int32_t state_ = state_ok;
    bool loaded_ = false;
    bool started_ = false;
    bool connect_pending_ = false;
    bool establishing_ = false;
    int32_t depth_ = 0;
    std::unique_ptr<vux_action> waiting_;
    bool has_input_ = false;
    vux_unicode input_text_;
    std::unique_ptr<vux_data> media_;
};
