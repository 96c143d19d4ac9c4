#include "emulator/vux_le_area_list.h"

const vux_le_area_list::area* vux_le_area_list::find(const QString& name) const {
    for (const area& a : areas_)
        if (a.name.compare(name, Qt::CaseInsensitive) == 0) return &a;
    return nullptr;
}
