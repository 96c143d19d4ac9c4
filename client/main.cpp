#include "client/orbel.h"

int main(int argc, char** argv) { return orbel_run(argc, argv); }
