// varnel-monitor: the program's entry point. Everything else is in the library
// so that the tests can open the same windows.

#include "ui/launch/run.h"

int main(int argc, char** argv) { return varnel::ui::RunMonitor(argc, argv); }
