#pragma once
#include "core/vux_link.h"

// A view with writable access to the viewed bytes.
class vux_memory : public vux_link {
public:
    using vux_link::vux_link;
    vux_memory(void* data, int32_t length) : vux_link(data, length) {}

    uint8_t* pointer() const { return const_cast<uint8_t*>(data_); }
    // Pointer to the byte at offset; null outside 0..length.
    uint8_t* pointer_at(int32_t offset) const;
};
