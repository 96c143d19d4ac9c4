#pragma once
#include "markup/model/vux_prediction.h"

// The part that the element, paragraph and property steps share after the
// step base: seven ints, the first saying whether the target is a window (1)
// or a dialog (any other value), then the target's name. The other six ints
// are read by the client elements and kept exactly as they came.
class vux_screen_step : public vux_prediction {
public:
    // Base fields, the seven ints and the screen name; each of the three
    // steps' fields() calls this first.
    void fields(vux_field_visitor& v) override;

    bool targets_window() const { return screen_kind == 1; }
    // The names the dump gives the six integers after the screen kind, by
    // their role in each step.
    virtual const char* const* integer_names() const;

    int32_t screen_kind = 0;
    int32_t value_2 = 0;
    int32_t value_3 = 0;
    int32_t value_4 = 0;
    int32_t value_5 = 0;
    int32_t value_6 = 0;
    int32_t value_7 = 0;
    vux_string screen;  // name of the window or dialog

protected:
    // The element and paragraph steps' integers.
    static const char* const* edit_names();
};
