#pragma once
#include <memory>
#include "core/vux_type_codes.h"
#include "markup/model/vux_condition_list.h"
#include "markup/model/vux_element_client.h"
#include "markup/model/vux_element_commandbar.h"
#include "markup/model/vux_overtime.h"
#include "markup/model/vux_screen.h"

class vux_variables;

// A box over the window with a client area and a command bar.
class vux_dialog : public vux_screen {
public:
    static constexpr int32_t code = vux_type_dialog;
    vux_dialog() { show_title = 1; }
    int32_t type_code() const override { return code; }
    const char* class_name() const override { return "vux_dialog"; }
    void fields(vux_field_visitor& v) override;

    // The command bar's count-down first, else the client's triggered action.
    vux_action* find_triggered_action(const vux_variables& environment);

    int32_t value_1 = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    int32_t value_4 = 0;
    int32_t value_5 = 0;
    vux_element_client client;
    vux_element_commandbar commandbar;
    std::unique_ptr<vux_overtime> overtime;
    std::unique_ptr<vux_condition_list> guard;
    vux_string_list extras;
};
