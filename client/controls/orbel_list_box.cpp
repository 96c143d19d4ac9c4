#include "client/controls/orbel_list_box.h"

#include "gui/orbel_text.h"

int orbel_list_box::add(const vux_string& text) {
    addItem(orbel_to_qstring(text));
    return count() - 1;
}
