// fuzz-libs: vux_tools_fuzz vux_markup_fuzz vux_desktop_fuzz
// Arbitrary text to the document builder (vux_build): the stream object,
// records by type code, element "set" lists, packing. A stream that builds
// must dump whole and build again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include "toolkit/vux_builder.h"
#include "toolkit/vux_dumper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 16)) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vux_build_result first = vux_build_stream(text);
    if (!first.ok) return 0;
    vux_dump_result dumped = vux_dump_stream(vux_link(first.bytes.data(), int32_t(first.bytes.size())), true);
    if (!dumped.ok) std::abort();
    vux_build_result second = vux_build_stream(dumped.out);
    if (!second.ok || second.bytes != first.bytes) std::abort();
    return 0;
}
