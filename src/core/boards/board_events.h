#pragma once
// What the board parsers ask of the main window. Views are drawn from the
// records, so a parser only says which board page to redraw.

#include <string_view>

namespace varnel {

class BoardPageEvents {
 public:
  virtual ~BoardPageEvents() = default;
  // Redraw the page of this board if it is the one shown.
  virtual void OpenBoardPage(int device, int slot) = 0;
  // Re-apply the rate editors' limits after the modem version changed.
  virtual void ApplyRateLimits() = 0;
  // A line for the trace memo as it is: no time stamp, whatever the debug flag.
  virtual void AppendMemoLine(std::string_view line) = 0;
};

}  // namespace varnel
