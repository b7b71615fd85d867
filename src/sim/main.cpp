// varnel-sim: emulated blocks on UDP ports, for trying the program without hardware.

#include "sim/cli/run.h"

int main(int argc, char** argv) { return varnel::sim::RunEmulator(argc, argv); }
