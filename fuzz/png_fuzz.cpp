// fuzz-libs: vux_core_fuzz
// The APNG frame splitter over arbitrary bytes. Each frame it makes must be a
// whole PNG file: the signature, chunks that lie inside it, IEND last.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include "core/vux_buffer.h"
#include "core/vux_png.h"

namespace {

void check_frame(const vux_buffer& f) {
    const uint8_t* p = f.data();
    const int64_t n = f.length();
    if (!vux_png_has_signature(p, int32_t(n))) std::abort();
    int64_t at = 8;
    const uint8_t* last = nullptr;
    while (at < n) {
        if (n - at < 12) std::abort();
        const int64_t len =
            int64_t(uint32_t(p[at]) << 24 | uint32_t(p[at + 1]) << 16 | uint32_t(p[at + 2]) << 8 | p[at + 3]);
        if (len > n - at - 12) std::abort();
        last = p + at + 4;
        at += 12 + len;
    }
    if (!last || std::memcmp(last, "IEND", 4) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    vux_png png;
    const bool ok = png.split_frames(data, int32_t(size));
    if (!ok && png.get_count() != 0) std::abort();
    for (int32_t i = 0; i < png.get_count(); ++i) check_frame(*png.get_as<vux_buffer>(i));
    return 0;
}
