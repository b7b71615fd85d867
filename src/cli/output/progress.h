#pragma once
// Progress on standard error, one line redrawn in place, only when standard
// error is a terminal: scripts and logs get the result lines alone.

#include <cstdint>
#include <string>

namespace varnel::cli {

// "[#####.....] 120/400  35.0/s  0:08 left"; the bar is width characters.
std::string ProgressBarText(int done, int total, double elapsedSeconds, int width = 30);

class Progress {
 public:
  Progress();  // on when standard error is a terminal
  explicit Progress(bool enabled) : enabled_(enabled) {}
  ~Progress() { Finish(); }

  void Show(const std::string& line);
  // Clears the line; later output starts at the left margin.
  void Finish();

 private:
  bool enabled_;
  bool shown_ = false;
};

}  // namespace varnel::cli
