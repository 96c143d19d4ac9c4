#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_object_list.h"
#include "core/vux_string.h"

class vux_action;
class vux_action_clear;
class vux_action_upload;
class vux_canvas;
class vux_device_results;
class vux_document;
class vux_environment;
class vux_exchange;
class vux_facility;
class vux_machine;
class vux_prediction;
class vux_screen_registry;

// Runs the document's actions: their steps and the commands, the steps that
// wait for the host (text input, upload) until it answers, and the motions
// they leave pending. The music and animation they start, and the host's
// answers to a waiting step, are kept by the device results.
class vux_action_runner {
public:
    vux_action_runner(vux_document& document, vux_screen_registry& screens, vux_machine& machine, vux_canvas& canvas,
                      const vux_facility& facility, vux_exchange& exchange, vux_device_results& results);
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
    // The upload step the waiting action stands at, else null.
    const vux_action_upload* pending_upload();
    // Resume the waiting action with the answer the device results keep;
    // false when there is none (or nothing waits).
    bool resume_input();
    bool resume_media();
    // Drops the waiting action and the answers kept for it.
    void drop_waiting();
    // Closes what the host has open for the waiting action and drops it;
    // false when nothing waited.
    bool cancel_waiting();

    // ---- motions
    // Advances the pending motions one tick; false when there are none.
    bool tick_motions();
    void drop_motions() { motions.delete_all(); }

    vux_object_list motions;

private:
    vux_environment& variables();
    void open_waiting(std::unique_ptr<vux_action> action);
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
    vux_device_results& results_;
    std::unique_ptr<vux_action> waiting_;
};
