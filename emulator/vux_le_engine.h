#pragma once
#include "emulator/vux_le_facility.h"
#include "emulator/vux_le_graphics.h"
#include "emulator/vux_le_network.h"

#include <memory>

// The host side of one engine: the engine handle and the three parts whose
// tables it calls. Made by create(); the handle dies first on destruction.
class vux_le_engine {
public:
    // Creates the handle and registers the facility, network and graphics
    // tables, in that order; null when the engine cannot be created.
    static std::unique_ptr<vux_le_engine> create(const vux_le_persist& persist);
    virtual ~vux_le_engine();

    vux_engine* handle() const { return handle_; }
    vux_le_facility& facility() { return facility_; }
    vux_le_network& network() { return network_; }
    vux_le_graphics& graphics() { return graphics_; }

private:
    explicit vux_le_engine(const vux_le_persist& persist) : facility_(persist) {}

    vux_le_facility facility_;
    vux_le_network network_;
    vux_le_graphics graphics_;
    vux_engine* handle_ = nullptr;
};
