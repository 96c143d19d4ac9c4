#include "emulator/vux_le_engine.h"

std::unique_ptr<vux_le_engine> vux_le_engine::create(const vux_le_persist& persist) {
    std::unique_ptr<vux_le_engine> host(new vux_le_engine(persist));
    host->handle_ = vux_engine_create();
    if (!host->handle_) return nullptr;
    host->network_.set_engine(host->handle_);
    const vux_facility_table facility = host->facility_.table();
    const vux_network_table network = host->network_.table();
    const vux_graphics_table graphics = host->graphics_.table();
    vux_engine_set_facility(host->handle_, &facility);
    vux_engine_set_network(host->handle_, &network);
    vux_engine_set_graphics(host->handle_, &graphics);
    return host;
}

vux_le_engine::~vux_le_engine() {
    if (handle_) vux_engine_destroy(std::exchange(handle_, nullptr));
    network_.set_engine(nullptr);
}
