#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

struct vux_le_blob_piece {
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
};

// A reference into the image blob is exactly 16 characters, not beginning
// with '_': 8 hexadecimal digits of offset, then 8 of size (digits and
// lower-case a-f count, other characters are skipped). The piece must lie
// wholly inside the blob; anything else resolves to nothing (null, 0).
vux_le_blob_piece vux_le_resolve_resource_ref(std::string_view reference, const std::uint8_t* blob,
                                              std::size_t blob_size);
