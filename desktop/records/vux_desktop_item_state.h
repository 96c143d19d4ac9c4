#pragma once
#include <cstdint>

// States of news, notices, votes and contact entries. Items the service sent
// (0) and items added and deleted again before sending (4) never go back.
enum vux_desktop_item_state : int32_t {
    vux_desktop_state_received = 0,
    vux_desktop_state_added = 1,
    vux_desktop_state_deleted = 3,
    vux_desktop_state_dropped = 4,
};

inline bool vux_desktop_state_is_changed(int32_t state) {
    return state != vux_desktop_state_received && state != vux_desktop_state_dropped;
}

// The current time in seconds since 1970, low 32 bits (what new items carry).
int32_t vux_desktop_now();
