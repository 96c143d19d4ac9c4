// fuzz-libs: vux_core_fuzz
// The LZW expander over arbitrary codes, compared with the plain prefix-chain
// walk: the same result and the same bytes on every input, under a large and
// a small output cap. And the packer's output of the same bytes, which must
// expand back to them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include "core/vux_expand.h"
#include "toolkit/vux_lzw_pack.h"

namespace {

void compare(const uint8_t* data, size_t size, int32_t cap) {
    vux_expand e;
    e.allocate_tables();
    vux_buffer out;
    out.append_byte(0x5A);
    const auto r = e.expand(vux_link(data, int32_t(size)), 0, out, cap);
    if (r != vux_expand::result::ok && out.length() != 1) std::abort();  // an error leaves the output as it was
    if (out.length() > 1 + cap) std::abort();

    std::string plain("\x5A");
    const auto want = vux_tools::lzw_expand_by_chain(data, size, 0, plain, cap);
    if (r != want) std::abort();
    if (size_t(out.length()) != plain.size() || std::memcmp(out.data(), plain.data(), plain.size()) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 16)) return 0;
    compare(data, size, 1 << 20);
    // A cap that the input's own length sets, so that too_large is met at
    // every point of a stream.
    compare(data, size, int32_t(size * 7 % 5000 + 1));

    if (size == 0) return 0;
    const std::string packed = vux_tools::lzw_pack_document(std::string(reinterpret_cast<const char*>(data), size));
    vux_buffer back;
    if (vux_expand::unpack(vux_link(packed.data(), int32_t(packed.size())), back) != vux_expand::result::ok)
        std::abort();
    if (size_t(back.length()) != size || std::memcmp(back.data(), data, size) != 0) std::abort();
    return 0;
}
