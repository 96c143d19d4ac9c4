#pragma once
#include <cstdint>
#include "core/vux_point.h"
#include "core/vux_string.h"
#include "markup/model/vux_action_property.h"
#include "markup/model/vux_element_text.h"
#include "markup/model/vux_font_scope.h"
#include "markup/model/vux_hyperlink.h"
#include "markup/model/vux_variables.h"

class vux_layout;

// Rules that box, segment and image share: name resolution, the "keym"
// check, the clock helpers, the painting visibility test and the pair list
// of a 'property' step.

// An indirect name ("$ x", not ending in '!') is looked up; any other name
// stands as it is. False when an indirect name does not resolve.
bool vux_resolve_name(const vux_variables& environment, const vux_string& name, vux_string& out);

// The state at `index` of the variable `key`: its value as 8 hexadecimal
// digits (bit index in 0..30) or as a text of '0'/'1' characters. -1 when
// the key, the value or the index gives no answer.
int32_t vux_mark_state(const vux_variables& environment, const vux_string& key, int32_t index);

// The blink of a link at every period-th ms: with state bit 6 clear and bit
// 3 set, bit 7 is inverted. A period <= 0 never comes round.
bool vux_blink_link(vux_hyperlink* link, int32_t ms, int32_t period);

// One animation clock: every call when gap <= 0; else 1000/period ms per
// call accumulate until they reach gap. A period <= 0 gives no time.
bool vux_frame_due(int32_t& accumulator, int32_t gap, int32_t period);

// One clock call of a box, segment or image: the animation frame (when
// animated), the link's blink and, given a roll, the "waiter" dots
// (2, 1, 0, 2, ...). True when anything changed.
bool vux_element_tick(bool animated, int32_t& frame, int32_t& accumulator, int32_t gap, vux_hyperlink* link, int32_t ms,
                      int32_t period, int32_t* roll);

// Reset of a measured element: the text gets its full text back and the
// aux record goes.
template <class E>
void vux_reset_element(E& element) {
    if (!element.aux) return;
    element.text.restore_full_text();
    element.aux.reset();
}

// Whether an element whose rows span [top, bottom] is drawn in the layout's
// current pass: floating or anchored elements in every pass but 1, others
// outside pass 2 when their rows meet the view.
bool vux_visible_in_pass(const vux_layout& layout, bool floating, bool fixed, int32_t top, int64_t bottom);

// A press in the fixed band of a header-locked layout is not for an element
// that scrolls with the content.
bool vux_header_blocks(const vux_layout& layout, bool fixed, const vux_point& p);

// "auto": the countdown of the link's action (nothing without either).
void vux_set_link_countdown(vux_hyperlink* link, const vux_string& value);

template <class T>
void vux_replace_link(std::unique_ptr<T>& own, const std::unique_ptr<T>& given) {
    if (!given) return;
    own = given->copy();
}

// The links box, segment and image all have: "hyperlink" and "action".
template <class E>
void vux_clear_common_link(E& element, const vux_string& name) {
    if (vux_string_equals_cstr(name, "hyperlink")) element.hyperlink.reset();
    if (vux_string_equals_cstr(name, "action")) element.action.reset();
}

// A 'property' step on an element with set_property(name, value) and
// clear_link(name): each pair (an empty value deletes the link it names, an
// unresolved indirect value skips the pair), then the hyperlink and action
// the step carries replace the element's own by clones; the step's link
// flag sets the hyperlink's focus bit. Box and segment add their own link.
template <class E>
void vux_apply_property_step(E& element, const vux_action_property& step, const vux_variables& environment) {
    const int32_t n = step.names.count();
    for (int32_t i = 0; i + 1 < n; i += 2) {
        const vux_string& name = step.names.item_at(i);
        const vux_string& value = step.names.item_at(i + 1);
        if (value.empty()) {
            element.clear_link(name);
            continue;
        }
        vux_string resolved;
        if (vux_resolve_name(environment, value, resolved)) element.set_property(name, resolved);
    }
    vux_replace_link(element.hyperlink, step.hyperlink);
    vux_replace_link(element.action, step.action_1);
    if (step.link_flag() && element.hyperlink) element.hyperlink->set_focused(true);
}
