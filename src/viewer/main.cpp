// varnel-log-viewer: shows an exported event log. Everything else is in the
// library so that the tests can open the same window.

#include "viewer/run.h"

int main(int argc, char** argv) { return varnel::viewer::RunViewer(argc, argv); }
