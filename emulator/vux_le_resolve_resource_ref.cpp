#include "emulator/vux_le_resolve_resource_ref.h"

namespace {
std::uint32_t hex_field(std::string_view digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        if (c >= '0' && c <= '9')
            value = value * 16 + std::uint32_t(c - '0');
        else if (c >= 'a' && c <= 'f')
            value = value * 16 + std::uint32_t(c - 'a' + 10);
    }
    return value;
}
}  // namespace

vux_le_blob_piece vux_le_resolve_resource_ref(std::string_view reference, const std::uint8_t* blob,
                                              std::size_t blob_size) {
    if (reference.size() != 16 || reference.front() == '_' || !blob) return {};
    const std::uint64_t offset = hex_field(reference.substr(0, 8));
    const std::uint64_t size = hex_field(reference.substr(8, 8));
    if (offset > blob_size || size > blob_size - offset) return {};
    return {blob + offset, std::size_t(size)};
}
