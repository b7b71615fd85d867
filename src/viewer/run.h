#pragma once

namespace varnel::viewer {

// Runs the viewer: the window, and the file named by the first argument if any.
int RunViewer(int argc, char** argv);

}  // namespace varnel::viewer
