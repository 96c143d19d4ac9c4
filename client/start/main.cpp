#include "client/manager/orbel_emulator_factory.h"
#include "client/start/orbel.h"
#include "emulator/orbel_emulator.h"

int main(int argc, char** argv) {
    orbel_set_emulator_factory(orbel_emulator_make);
    return orbel_run(argc, argv);
}
