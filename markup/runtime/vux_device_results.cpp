#include "markup/runtime/vux_device_results.h"
#include <string>
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_data.h"
#include "markup/runtime/vux_action_runner.h"
#include "markup/runtime/vux_canvas.h"
#include "markup/runtime/vux_document.h"
#include "markup/runtime/vux_facility.h"
#include "markup/runtime/vux_machine.h"
#include "markup/runtime/vux_reserved_names.h"

namespace {

// The variable and the function of each location kind.
struct location_kind {
    const char* variable;
    const char* function;
};
constexpr location_kind location_kinds[] = {
    {vux_names::key_gps, vux_names::function_on_gps},
    {vux_names::key_cid, vux_names::function_on_cid},
    {vux_names::key_mac, vux_names::function_on_mac},
};

}  // namespace

vux_device_results::vux_device_results(vux_document& document, vux_action_runner& runner, vux_machine& machine,
                                       vux_canvas& canvas, const vux_facility& facility)
    : document_(document), runner_(runner), machine_(machine), canvas_(canvas), facility_(facility) {}

vux_device_results::~vux_device_results() = default;

// ---- the host's answers

void vux_device_results::on_location(int32_t status, const char* text) {
    if (status >= 0 && status <= 2) {
        const location_kind& k = location_kinds[status];
        // The screens showing the reading repaint with the settle below.
        const vux_string name(k.variable);
        document_.name_changed(name);
        const vux_string value(text ? text : "null");
        canvas_.variables().set_plain(name, value);
        document_.private_store.variables.set_plain(name, value);
        if (text) runner_.call_function(vux_string(k.function));
    }
    document_.save_private();
    machine_.settle(false);
}

void vux_device_results::on_input_text(const uint16_t* text, int32_t count) {
    canvas_.variables().remove(vux_string(vux_names::status_input));
    if (document_.in_error() || !text || !runner_.is_waiting()) {
        runner_.drop_waiting();
        machine_.settle(true);
        return;
    }
    input_text_ = vux_unicode(reinterpret_cast<const char16_t*>(text), count < 0 ? 0 : count);
    has_input_ = true;
}

void vux_device_results::on_media(const uint8_t* bytes, int32_t length) {
    vux_environment& env = canvas_.variables();
    env.remove(vux_string(vux_names::status_load));
    if (document_.in_error() || !bytes || length <= 0 || !runner_.is_waiting()) {
        runner_.drop_waiting();
        machine_.settle(true);
        return;
    }
    media_ = std::make_unique<vux_data>();
    media_->bytes.assign_bytes(bytes, length);
    media_->discard_after_send = 1;
    const vux_action_upload* up = runner_.pending_upload();
    if (up && up->value_5 != 0) {
        for (int32_t n = 0; n < max_numbered_names; ++n) {
            const std::string name = std::to_string(n) + ".ul";
            if (facility_.query_file(name.c_str()) != 0) continue;
            env.set_plain(vux_string(vux_names::key_chat_file_id), vux_string(std::string_view(name)));
            facility_.write_file(name.c_str(), bytes, length);
            return;
        }
        env.remove(vux_string(vux_names::key_chat_file_id));
    }
}

vux_unicode vux_device_results::take_input() {
    vux_unicode text = std::move(input_text_);
    drop_answers();
    return text;
}

std::unique_ptr<vux_data> vux_device_results::take_media() {
    std::unique_ptr<vux_data> media = std::move(media_);
    drop_answers();
    return media;
}

void vux_device_results::drop_answers() {
    has_input_ = false;
    input_text_.clear();
    media_.reset();
}

// ---- music and animation

void vux_device_results::stop_media(bool run_end) {
    vux_environment& env = canvas_.variables();
    std::unique_ptr<vux_action> ends[2];
    const bool was_animation = animation_handle != 0;
    if (music_handle) {
        env.remove(vux_names::status_music);
        facility_.stop_music(1);
        music_handle = 0;
    }
    if (animation_handle) {
        env.remove(vux_names::status_animation);
        facility_.stop_music(2);
        animation_handle = 0;
    }
    music_blocking = animation_blocking = false;
    ends[0] = std::move(music_end);
    ends[1] = std::move(animation_end);
    if (run_end)
        for (auto& a : ends)
            if (a) runner_.start_action(*a);
    if (run_end && was_animation) machine_.settle(true);
}
