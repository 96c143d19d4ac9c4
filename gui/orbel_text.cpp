#include "gui/orbel_text.h"

#include <string>

#include "core/vux_unicode.h"
#include "core/vux_utf8.h"
#include "desktop/orbel_text_utils.h"

void orbel_cstring_to_vux_string(const QString& text, vux_string& out) {
    vux_unicode(reinterpret_cast<const char16_t*>(text.utf16()), int32_t(text.size())).to_utf8(out);
}

void orbel_vux_string_to_cstring(const vux_string& text, QString& out) {
    // Straight from the decoder's units: no text block on the way (lists
    // convert thousands of short texts).
    std::u16string wide;
    vux_utf8_decode(text.bytes(), text.length(), wide);
    out = QString::fromUtf16(wide.data(), qsizetype(wide.size()));
}

void orbel_url_encode_cstring(const QString& text, QString& out) {
    vux_string encoded;
    orbel_url_encode(encoded, orbel_to_utf8(text));
    orbel_vux_string_to_cstring(encoded, out);
}
