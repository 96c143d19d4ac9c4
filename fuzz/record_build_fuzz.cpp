// fuzz-libs: vux_desktop_fuzz
// Arbitrary text to the JSON record builder, for a record of every field
// kind (the desktop site holds texts, byte blocks, lists and nested records).
// A record that builds must dump to JSON that builds the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "desktop/records/vux_desktop_document.h"
#include "desktop/records/vux_desktop_site.h"

namespace {
template <class T>
void build(std::string_view text) {
    T first;
    if (!vux_record_build::from_json(text, first)) return;
    const std::string once = vux_record_dump::to_json(first);
    T second;
    if (!vux_record_build::from_json(once, second)) std::abort();
    if (vux_record_dump::to_json(second) != once) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    build<vux_desktop_site>(text);
    build<vux_desktop_document>(text);
    return 0;
}
