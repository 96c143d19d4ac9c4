#include "markup/model/vux_screen.h"

vux_string vux_screen::describe() const {
    vux_string out;
    if (name.empty()) return out;
    out.append(name);
    if (keep == 1 || show_title != 0) {
        out.append('(');
        if (keep == 1) out.append('c');
        if (show_title != 0) out.append('t');
        out.append(')');
    }
    if (!title.empty()) out.append(": ").append(title);
    return out;
}
