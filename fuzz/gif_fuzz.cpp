// fuzz-libs: vux_core_fuzz
// The GIF frame splitter over arbitrary bytes. Each frame it makes starts
// with the source's header and ends with its trailer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include "core/vux_buffer.h"
#include "core/vux_gif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    vux_gif gif;
    const bool ok = gif.split_frames(data, int32_t(size));
    if (!ok && gif.get_count() != 0) std::abort();
    for (int32_t i = 0; i < gif.get_count(); ++i) {
        const vux_buffer& f = *gif.get_as<vux_buffer>(i);
        if (f.length() < 14 || std::memcmp(f.data(), data, 13) != 0 || f.data()[f.length() - 1] != 0x3B) std::abort();
    }
    return 0;
}
