#include "desktop/orbel_contact_key.h"
#include "desktop/orbel_md5.h"
#include <algorithm>

namespace {
constexpr int32_t shown_length = 11;
}

vux_string orbel_contact_canonical(const vux_string& value) {
    vux_string out(value);
    out.to_lower();
    return out;
}

orbel_contact_key orbel_make_contact_key(const vux_string& value) {
    const vux_string v = orbel_contact_canonical(value);
    orbel_contact_key out;
    if (orbel_is_md5_hex(v)) {
        out.key = v;
        out.shown = vux_string(std::string(shown_length, '*'));
        return out;
    }
    out.key = orbel_md5_hex(v);
    if (v.is_mobile_number()) {
        out.shown = v.left(3) + "****" + v.right(4);
        return out;
    }
    const int32_t at = v.find_char('@');
    out.shown = v.left(std::min(at < 0 ? v.length() : at, shown_length));
    while (out.shown.length() < shown_length) out.shown.append('*');
    return out;
}
