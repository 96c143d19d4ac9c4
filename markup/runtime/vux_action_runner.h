#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_object_list.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"

class vux_action;
class vux_action_clear;
class vux_canvas;
class vux_data;
class vux_document;
class vux_environment;
class vux_exchange;
class vux_facility;
class vux_machine;
class vux_prediction;
class vux_screen_registry;

// Runs the document's actions: their steps and the commands, the steps that
// wait for the host (text input, upload) until it answers, the motions they
// leave pending, and the music and animation they start.
class vux_action_runner {
public:
    // Tries of a ".ul" file name before giving up.
    static constexpr int32_t max_numbered_names = 1000;

    vux_action_runner(vux_document& document, vux_screen_registry& screens, vux_machine& machine, vux_canvas& canvas,
                      const vux_facility& facility, vux_exchange& exchange);
    ~vux_action_runner();
    vux_action_runner(const vux_action_runner&) = delete;
    vux_action_runner& operator=(const vux_action_runner&) = delete;

    // Runs the steps in place; the result is the last stopping step's (0 else).
    int32_t run(vux_action& action);
    // Runs a copy at once: the steps may close and sweep the screen that
    // owns the action, so the original must not be walked.
    int32_t run_copy(const vux_action& action);
    // The full run: a copy that may wait for the host.
    void start_action(const vux_action& action);
    void call_function(const vux_string& name);
    void run_command(int32_t code);

    // ---- an action waiting for the host
    bool is_waiting() const { return waiting_ != nullptr; }
    bool resume_input();
    bool resume_media();
    void on_input_text(const uint16_t* text, int32_t count);
    void on_media(const uint8_t* bytes, int32_t length);
    // Closes what the host has open for the waiting action and drops it;
    // false when nothing waited.
    bool cancel_waiting();

    // ---- motions
    // Advances the pending motions one tick; false when there are none.
    bool tick_motions();
    void drop_motions() { motions.delete_all(); }

    // ---- music and animation
    bool media_blocking() const { return (music_handle && music_blocking) || (animation_handle && animation_blocking); }
    // Stops both; with run_end the kept end actions start first.
    void stop_media(bool run_end);

    int32_t music_handle = 0;
    int32_t animation_handle = 0;
    bool music_blocking = false;
    bool animation_blocking = false;
    std::unique_ptr<vux_action> music_end;
    std::unique_ptr<vux_action> animation_end;
    vux_object_list motions;

private:
    vux_environment& variables();
    void open_waiting(std::unique_ptr<vux_action> action);
    void drop_waiting();
    int32_t run_step(vux_prediction& step);
    int32_t run_screen_step(vux_prediction& step);
    void run_clear(const vux_action_clear& step);
    void run_invoke(const vux_string& target, bool read_data);
    void sweep_motions(bool finish_all);

    vux_document& document_;
    vux_screen_registry& screens_;
    vux_machine& machine_;
    vux_canvas& canvas_;
    const vux_facility& facility_;
    vux_exchange& exchange_;
    std::unique_ptr<vux_action> waiting_;
    bool has_input_ = false;
    vux_unicode input_text_;
    std::unique_ptr<vux_data> media_;
};
