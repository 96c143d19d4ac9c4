#pragma once
#include <cstdint>

// What the runtime asks the host with facility entry 2 (supports).
enum vux_capability : int32_t {
    capability_touch = 0,             // a touch screen until the first pointer event says so
    capability_host_progress = 1,     // the host shows exchange progress itself
    capability_host_paints = 2,       // the host paints the screens itself: no repaint by the machine
    capability_window_image = 3,      // the host shows a window's image (show_window_image)
    capability_scroll_copy = 4,       // scroll by copying the painted client area
    capability_partial_paint = 5,     // a window may be painted without its bars while dragging
    capability_background_image = 6,  // a window client's background image is drawn
    capability_nine_slice = 7,        // box images in "block" tile mode
    capability_deferred_press = 8,    // a press repaints on the next tick
    capability_deferred_drag = 9,     // a drag repaints on the next tick
    capability_device_10 = 10,        // capabilities 10-12 are only reported in the device description
    capability_device_11 = 11,
    capability_device_12 = 12,
};
