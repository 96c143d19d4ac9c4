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

class vux_action_runner;
class vux_canvas;
class vux_device_results;
class vux_exchange;
class vux_facility;
class vux_machine;
class vux_network;
class vux_reader;
class vux_screen_registry;
class vux_writer;
class vux_home;
class vux_action_go;
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

    vux_document(vux_canvas& canvas, const vux_facility& facility, const vux_network& network, vux_machine& machine,
                 vux_screen_registry& screens, vux_exchange& exchange, vux_action_runner& runner,
                 vux_device_results& results);
    ~vux_document() override;
    vux_document(const vux_document&) = delete;
    vux_document& operator=(const vux_document&) = delete;

    // ---- run state
    bool is_started() const { return started_; }
    bool is_running() const { return started_ && !connect_pending_; }
    // An action waits for the host (text input or upload).
    bool is_blocked() const;
    int32_t state() const { return state_; }
    bool in_error() const { return state_ != state_ok; }
    bool establishing() const { return establishing_; }

    void load_private(const uint8_t* bytes, int32_t length);
    void start(const uint8_t* bytes, int32_t length);
    void tick_not_running();
    // After tick, key and pointer: carries out a logout or exit request.
    void refresh();
    void stop();
    // Started since it last stopped: its teardown still has to stop it.
    bool is_live() const { return live_; }
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
    void save_private();
    // The state record of the settle snapshot.
    void write_state(vux_writer& w) const;

    // One level deeper in streams read from streams and actions run from
    // actions: false (a script error) past max_depth; else unnest after.
    bool nest();
    void unnest() { --depth_; }
    // The error step: state 3 and the error dialog with the text.
    void step_failed(bool fatal, const vux_string& text);
    void update_time_variables();

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
    // A variable changes: the window, the dialog and the menu in front that
    // show it are painted again at the next settle; the others keep their
    // presses and selection.
    void name_changed(const vux_string& name);
    // Per-tick work of the document; true when it did something.
    bool tick_work();
    // After ten ticks without input: the subtitles scroll over a quiet window.
    void idle_work();
    // Input ends a subtitle on screen.
    void end_subtitle();

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

private:
    void set_startup_variables();
    void file_record(int32_t code, vux_reader& reader);
    void file_data(std::unique_ptr<vux_data> data);
    void run_start_actions();
    void drop_owned(const vux_string& owner);
    bool overtime_counts();
    bool pull_step();
    template <class Message>
    bool read_response(vux_reader& reader, Message& message);

    vux_canvas& canvas_;
    const vux_facility& facility_;
    const vux_network& network_;
    vux_machine& machine_;
    vux_screen_registry& screens_;
    vux_exchange& exchange_;
    vux_action_runner& runner_;
    vux_device_results& results_;
    int32_t state_ = state_ok;
    bool loaded_ = false;
    bool started_ = false;
    bool live_ = false;
    bool connect_pending_ = false;
    bool establishing_ = false;
    int32_t depth_ = 0;
};
