#pragma once
// The controls that change boards or blocks, by window and control
// objectName: enabled in administrator mode only.

#include <span>
#include <string_view>

namespace varnel {

constexpr std::string_view kMainWindowName = "TFmain";
constexpr std::string_view kTerminationWindowName = "FSL";

struct AdminControl {
  std::string_view window;   // the objectName of the top-level window
  std::string_view control;  // the control's objectName
};

std::span<const AdminControl> AdminOnlyControls();
bool IsAdminOnly(std::string_view window, std::string_view control);

}  // namespace varnel
