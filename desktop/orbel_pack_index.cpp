#include "desktop/orbel_pack_index.h"

#include "core/vux_be32.h"

std::vector<orbel_pack_entry> orbel_pack_index(const vux_link& pack) {
    const uint8_t* p = pack.data();
    const uint64_t length = pack.length() > 0 ? uint64_t(pack.length()) : 0;
    if (length < 4) return {};
    const uint64_t count = vux_load_be32(p);
    // The size table must fit before anything is reserved for it.
    if (count > (length - 4) / 4) return {};
    std::vector<orbel_pack_entry> entries;
    entries.reserve(size_t(count));
    uint64_t at = 4 + 4 * count;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t size = vux_load_be32(p + 4 + 4 * i);
        if (size > length - at) return {};
        entries.push_back({int32_t(at), int32_t(size)});
        at += size;
    }
    return entries;
}
