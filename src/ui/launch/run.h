#pragma once
// The program as main() runs it: Qt set up in Russian, the settings file
// found, the main window opened until it is closed.

namespace varnel::ui {

// Returns the exit code of Qt's event loop.
int RunMonitor(int argc, char** argv);

}  // namespace varnel::ui
