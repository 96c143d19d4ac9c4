#include "client/manager/orbel_emulator_factory.h"

namespace {
orbel_emulator_factory& factory_in_force() {
    static orbel_emulator_factory factory;
    return factory;
}
}  // namespace

void orbel_set_emulator_factory(orbel_emulator_factory factory) { factory_in_force() = std::move(factory); }

const orbel_emulator_factory& orbel_get_emulator_factory() { return factory_in_force(); }
