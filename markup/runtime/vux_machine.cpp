#include "markup/runtime/vux_machine.h"

void vux_machine::settle(bool repaint) {
    ++settle_count;
    if (repaint) ++repaint_count;
}

void vux_machine::reset() { ++reset_count; }
