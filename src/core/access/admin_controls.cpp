#include "access/admin_controls.h"

#include <algorithm>
#include <array>

namespace varnel {

namespace {

constexpr std::array kControls{
    AdminControl{kMainWindowName, "ButWR"},          // block and board writes
    AdminControl{kMainWindowName, "ButVKLogCLR"},    // clears the modem event log
    AdminControl{kMainWindowName, "ButTimeSyncVK"},  // sets the modem clock
    AdminControl{kMainWindowName, "ButTimeSpeedVK"}, // and its rate
    AdminControl{kMainWindowName, "ButCRCall"},      // channel error counters
    AdminControl{kMainWindowName, "ButCRC1"},
    AdminControl{kMainWindowName, "ButCRC2"},
    AdminControl{kMainWindowName, "ButCRC3"},
    AdminControl{kMainWindowName, "ButLoop"},        // data loop command
    AdminControl{kMainWindowName, "ButVKFwStart"},   // modem firmware writing
    AdminControl{kMainWindowName, "ButRstVK"},       // modem board restart
    AdminControl{kMainWindowName, "ButSLClear"},     // termination board counters
    AdminControl{kMainWindowName, "ButSL_FW"},       // termination firmware window
    // The termination board window: its write, the update start that stands
    // in for the write in firmware mode, and the restart.
    AdminControl{kTerminationWindowName, "ButWRcfg"},
    AdminControl{kTerminationWindowName, "ButFwStart"},
    AdminControl{kTerminationWindowName, "ButRST"},
};

}  // namespace

std::span<const AdminControl> AdminOnlyControls() { return kControls; }

bool IsAdminOnly(std::string_view window, std::string_view control) {
  return std::any_of(kControls.begin(), kControls.end(),
                     [&](const AdminControl& c) { return c.window == window && c.control == control; });
}

}  // namespace varnel
