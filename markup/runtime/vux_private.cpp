#include "markup/runtime/vux_private.h"

void vux_private::fields(vux_field_visitor& v) {
    int32_t first = tag;
    v.int32("tag", first);
    // Bytes of something else leave the store as it was.
    if (v.reading() && v.ok() && first != tag) return;
    if (v.ok()) {
        v.record("credentials", credentials);
        v.record("variables", variables);
    }
    // A store cut off part-way would keep a half-read credential that logon
    // would then send: on any read error nothing of it is kept.
    if (v.reading() && !v.ok()) clear();
}

void vux_private::clear() {
    credentials.clear();
    variables.clear();
}
