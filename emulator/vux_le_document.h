#pragma once
#include "emulator/vux_le_device.h"
#include "emulator/vux_le_persist.h"

// The process-wide host state: persisted values and the device description.
class vux_le_document {
public:
    vux_le_persist& persist() { return persist_; }
    vux_le_device& device() { return device_; }

private:
    vux_le_persist persist_;
    vux_le_device device_;
};

// The one instance, made on first use.
vux_le_document& vux_le_get_document();
