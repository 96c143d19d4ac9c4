#pragma once
#include <cstdint>
#include <memory>
#include "core/vux_unicode.h"

class vux_action;
class vux_action_runner;
class vux_canvas;
class vux_data;
class vux_document;
class vux_facility;
class vux_machine;

// What the host's devices give the document: the location readings, the
// text typed and the media taken for the action the runner keeps waiting,
// and the music and animation the document's steps play. A typed text or a
// media answer is kept here until the runner's next resume takes it.
class vux_device_results {
public:
    // Tries of a ".ul" file name before giving up.
    static constexpr int32_t max_numbered_names = 1000;

    vux_device_results(vux_document& document, vux_action_runner& runner, vux_machine& machine, vux_canvas& canvas,
                       const vux_facility& facility);
    ~vux_device_results();
    vux_device_results(const vux_device_results&) = delete;
    vux_device_results& operator=(const vux_device_results&) = delete;

    // ---- the host's answers
    // A reading of kind status (0 position, 1 cell, 2 network address); a
    // null text is no reading.
    void on_location(int32_t status, const char* text);
    void on_input_text(const uint16_t* text, int32_t count);
    void on_media(const uint8_t* bytes, int32_t length);

    // The kept answers, each taken once; taking one drops the other.
    bool has_input() const { return has_input_; }
    bool has_media() const { return media_ != nullptr; }
    vux_unicode take_input();
    std::unique_ptr<vux_data> take_media();
    void drop_answers();

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

private:
    vux_document& document_;
    vux_action_runner& runner_;
    vux_machine& machine_;
    vux_canvas& canvas_;
    const vux_facility& facility_;
    bool has_input_ = false;
    vux_unicode input_text_;
    std::unique_ptr<vux_data> media_;
};
