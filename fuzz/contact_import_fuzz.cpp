// fuzz-libs: vux_desktop_fuzz
// The contact import reader over arbitrary file bytes: byte-order marks with
// odd and even rests, GBK-looking and UTF-8 text, and lines that nearly
// parse. Whatever it accepts must be pairs the pages can take: a mobile
// number or an e-mail address, and a non-empty name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "desktop/orbel_textfile.h"

namespace {
// Stands in for the code-page decoder: each lead and trail byte pair
// becomes one unit, so the text after it is still exercised.
bool pairs_as_units(const uint8_t* p, int32_t n, std::u16string& out) {
    out.clear();
    for (int32_t i = 0; i < n; ++i) {
        if (p[i] < 0x80 || i + 1 >= n) {
            out += char16_t(p[i]);
        } else {
            out += char16_t(p[i] << 8 | p[i + 1]);
            ++i;
        }
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    orbel_textfile file;
    const orbel_import_error e = orbel_read_contacts(vux_link(data, int32_t(size)), pairs_as_units, file);
    if (file.text().size() > size) std::abort();
    if (e != orbel_import_error::none) return 0;
    for (const orbel_textfile::pair& p : file.pairs())
        if ((!p.value.is_mobile_number() && !p.value.is_email_address()) || p.name.empty()) std::abort();
    return 0;
}
