#include "cli/output/progress.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace varnel::cli {

std::string ProgressBarText(int done, int total, double elapsedSeconds, int width) {
  const int shownTotal = total > 0 ? total : 0;
  const int shownDone = done < 0 ? 0 : (done > shownTotal ? shownTotal : done);
  const int filled = shownTotal > 0 ? shownDone * width / shownTotal : 0;
  std::string text = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                     std::string(static_cast<std::size_t>(width - filled), '.') + "] " + std::to_string(shownDone) +
                     "/" + std::to_string(shownTotal);
  if (elapsedSeconds <= 0 || shownDone == 0) return text + "  --/s  --:-- left";
  const double rate = shownDone / elapsedSeconds;
  const long left = std::lround((shownTotal - shownDone) / rate);
  char tail[64];
  std::snprintf(tail, sizeof tail, "  %.1f/s  %ld:%02ld left", rate, left / 60, left % 60);
  return text + tail;
}

Progress::Progress() : enabled_(isatty(STDERR_FILENO) == 1) {}

void Progress::Show(const std::string& line) {
  if (!enabled_) return;
  std::fprintf(stderr, "\r\033[K%s", line.c_str());
  std::fflush(stderr);
  shown_ = true;
}

void Progress::Finish() {
  if (!shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace varnel::cli
