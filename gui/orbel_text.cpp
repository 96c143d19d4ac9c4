#include "gui/orbel_text.h"

#include "core/vux_unicode.h"
#include "desktop/orbel_text_utils.h"

void orbel_cstring_to_vux_string(const QString& text, vux_string& out) {
    vux_unicode(reinterpret_cast<const char16_t*>(text.utf16()), int32_t(text.size())).to_utf8(out);
}

void orbel_vux_string_to_cstring(const vux_string& text, QString& out) {
    const vux_unicode wide = text.to_unicode();
    out = QString::fromUtf16(wide.units(), wide.length());
}

void orbel_url_encode_cstring(const QString& text, QString& out) {
    vux_string encoded;
    orbel_url_encode(encoded, orbel_to_utf8(text));
    orbel_vux_string_to_cstring(encoded, out);
}
