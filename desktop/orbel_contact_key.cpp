#include "desktop/orbel_contact_key.h"
#include <algorithm>
#include "desktop/orbel_md5.h"

#include "core/vux_record_build.h"
#include "core/vux_unicode.h"
#include "desktop/records/vux_desktop_contact.h"
#include "desktop/records/vux_desktop_item_state.h"

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

namespace {
namespace json = vux_record_build;

bool contacts_from_list(const json::value& list, vux_buffer& out, std::string* error) {
    vux_desktop_contact table;
    for (size_t i = 0; i < json::size(list); ++i) {
        const json::value* item = json::element(list, i);
        const std::string name = json::text(json::member(*item, "name"));
        const vux_string value(json::text(json::member(*item, "value")));
        const long long icon = json::number(json::member(*item, "icon"));
        vux_unicode units;
        vux_string(name).decode_utf8_into(units);
        if (!json::is_object(*item) || !units.is_valid_name() || icon < 0 || icon > 1 ||
            !(value.is_mobile_number() || value.is_email_address() ||
              orbel_is_md5_hex(orbel_contact_canonical(value)))) {
            if (error)
                *error =
                    "contact " + std::to_string(i) + ": a name, a number or e-mail address and an icon 0 or 1 expected";
            return false;
        }
        const orbel_contact_key k = orbel_make_contact_key(value);
        table.append_entry(units, k.key, k.shown);
        const int32_t last = table.entry_count() - 1;
        table.set_state(last, vux_desktop_state_received);
        table.entries.pointer()[int64_t(last) * vux_desktop_contact::entry_size + vux_desktop_contact::icon_offset] =
            uint8_t(icon);
    }
    out = std::move(table.entries);
    return true;
}
}  // namespace

vux_record_build::bytes_form orbel_contact_json_form() {
    return {"vux_desktop_contact", "entries", contacts_from_list};
}
