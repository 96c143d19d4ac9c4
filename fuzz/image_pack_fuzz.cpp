// fuzz-libs: vux_desktop_fuzz
// The image-pack index over arbitrary bytes: every entry it gives must lie
// inside the pack, in order, and cover the bytes after the size table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "desktop/orbel_pack_index.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x7FFFFFFF) return 0;
    const vux_link pack(data, int32_t(size));
    const auto entries = orbel_pack_index(pack);
    int64_t at = 4 + 4 * int64_t(entries.size());
    for (const orbel_pack_entry& e : entries) {
        if (e.offset != at || e.length < 0 || int64_t(e.offset) + e.length > int64_t(size)) std::abort();
        at += e.length;
    }
    return 0;
}
