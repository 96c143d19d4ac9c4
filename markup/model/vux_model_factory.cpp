#include "markup/model/vux_model_factory.h"
#include "core/vux_type_codes.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_animation.h"
#include "markup/model/vux_action_clear.h"
#include "markup/model/vux_action_command.h"
#include "markup/model/vux_action_element.h"
#include "markup/model/vux_action_environment.h"
#include "markup/model/vux_action_error.h"
#include "markup/model/vux_action_font.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_action_input.h"
#include "markup/model/vux_action_invoke.h"
#include "markup/model/vux_action_launch.h"
#include "markup/model/vux_action_menu.h"
#include "markup/model/vux_action_motion.h"
#include "markup/model/vux_action_music.h"
#include "markup/model/vux_action_odds.h"
#include "markup/model/vux_action_paragraph.h"
#include "markup/model/vux_action_pick.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_action_scroll.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_action_sms.h"
#include "markup/model/vux_action_softkey.h"
#include "markup/model/vux_action_title.h"
#include "markup/model/vux_action_upload.h"
#include "markup/model/vux_brush.h"
#include "markup/model/vux_condition.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_command.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_element_titlebar.h"
#include "markup/model/vux_extent.h"
#include "markup/model/vux_function.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_icon.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_odds.h"
#include "markup/model/vux_option.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_resource.h"
#include "markup/model/vux_subtitle.h"
#include "markup/model/vux_switch.h"
#include "markup/model/vux_window.h"

namespace {
template <class T>
std::unique_ptr<vux_record> make() {
    return std::make_unique<T>();
}
}  // namespace

std::unique_ptr<vux_record> vux_model_make_record(int32_t code) {
    switch (code) {
    case vux_type_brush: return make<vux_brush>();
    case vux_type_condition: return make<vux_condition>();
    case vux_type_condition_list: return make<vux_condition_list>();
    case vux_type_data: return make<vux_data>();
    case vux_type_extent: return make<vux_extent>();
    case vux_type_function: return make<vux_function>();
    case vux_type_hyperlink: return make<vux_hyperlink>();
    case vux_type_icon: return make<vux_icon>();
    case vux_type_odds: return make<vux_odds>();
    case vux_type_option: return make<vux_option>();
    case vux_type_switch: return make<vux_switch>();
    case vux_type_overtime: return make<vux_overtime>();
    case vux_type_resource: return make<vux_resource>();
    case vux_type_subtitle: return make<vux_subtitle>();
    case vux_type_action: return make<vux_action>();
    case vux_type_dialog: return make<vux_dialog>();
    case vux_type_menu: return make<vux_menu>();
    case vux_type_window: return make<vux_window>();
    default: return nullptr;
    }
}

std::unique_ptr<vux_record> vux_model_make_step(int32_t code) {
    switch (code) {
    case vux_type_action_animation: return make<vux_action_animation>();
    case vux_type_action_clear: return make<vux_action_clear>();
    case vux_type_action_command: return make<vux_action_command>();
    case vux_type_action_element: return make<vux_action_element>();
    case vux_type_action_environment: return make<vux_action_environment>();
    case vux_type_action_error: return make<vux_action_error>();
    case vux_type_action_font: return make<vux_action_font>();
    case vux_type_action_go: return make<vux_action_go>();
    case vux_type_action_input: return make<vux_action_input>();
    case vux_type_action_invoke: return make<vux_action_invoke>();
    case vux_type_action_launch: return make<vux_action_launch>();
    case vux_type_action_menu: return make<vux_action_menu>();
    case vux_type_action_motion: return make<vux_action_motion>();
    case vux_type_action_music: return make<vux_action_music>();
    case vux_type_action_odds: return make<vux_action_odds>();
    case vux_type_action_paragraph: return make<vux_action_paragraph>();
    case vux_type_action_pick: return make<vux_action_pick>();
    case vux_type_action_property: return make<vux_action_property>();
    case vux_type_action_scroll: return make<vux_action_scroll>();
    case vux_type_action_show: return make<vux_action_show>();
    case vux_type_action_sms: return make<vux_action_sms>();
    case vux_type_action_softkey: return make<vux_action_softkey>();
    case vux_type_action_title: return make<vux_action_title>();
    case vux_type_action_upload: return make<vux_action_upload>();
    default: return nullptr;
    }
}

std::unique_ptr<vux_record> vux_model_make_element(int32_t code) {
    switch (code) {
    case vux_type_element_box: return make<vux_element_box>();
    case vux_type_element_client: return make<vux_element_client>();
    case vux_type_element_command: return make<vux_element_command>();
    case vux_type_element_commandbar: return make<vux_element_commandbar>();
    case vux_type_element_image: return make<vux_element_image>();
    case vux_type_element_paragraph: return make<vux_element_paragraph>();
    case vux_type_element_scrollbar: return make<vux_element_scrollbar>();
    case vux_type_element_segment: return make<vux_element_segment>();
    case vux_type_element_text: return make<vux_element_text>();
    case vux_type_element_titlebar: return make<vux_element_titlebar>();
    default: return nullptr;
    }
}

std::unique_ptr<vux_record> vux_model_make_child(int32_t code) {
    switch (code) {
    case vux_type_element_segment: return make<vux_element_segment>();
    case vux_type_element_box: return make<vux_element_box>();
    default: return make<vux_element_image>();
    }
}

std::unique_ptr<vux_record> vux_model_make(int32_t code) {
    if (code >= vux_type_element_box && code <= vux_type_element_titlebar) return vux_model_make_element(code);
    if (code >= vux_type_action_animation && code <= vux_type_action_upload) return vux_model_make_step(code);
    return vux_model_make_record(code);
}
