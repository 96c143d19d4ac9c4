#pragma once
#include <cstdint>
#include <vector>

#include "core/vux_link.h"

// Where image i of an image pack lies: big-endian count N, N big-endian
// sizes, then the images back to back, image i starting at 4 + 4N + the
// sizes before it.
struct orbel_pack_entry {
    int32_t offset;
    int32_t length;
};

// The images of a pack in order. A pack whose count or sizes run past its
// bytes is refused whole: the result is empty.
std::vector<orbel_pack_entry> orbel_pack_index(const vux_link& pack);
