#include "emulator/vux_le_device.h"

int vux_le_device::screen_width() const {
    const auto* a = areas_.find(QStringLiteral("CLIENT"));
    return a ? a->right - a->left : default_width_;
}

int vux_le_device::screen_height() const {
    const auto* a = areas_.find(QStringLiteral("CLIENT"));
    return a ? a->bottom - a->top : default_height_;
}
