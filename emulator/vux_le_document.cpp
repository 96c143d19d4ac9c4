#include "emulator/vux_le_document.h"

vux_le_document& vux_le_get_document() {
    static vux_le_document document;
    return document;
}
