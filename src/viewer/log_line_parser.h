#pragma once

#include <QByteArrayView>
#include <array>
#include <vector>

#include "viewer/cell_pool.h"
#include "viewer/log_row.h"

namespace varnel::viewer {

// A longer line is refused: no real entry comes near it, and its text is
// shown cut to this length.
inline constexpr qsizetype kMaxLineBytes = 1024;

// Turns lines of an export file (Windows-1251) into rows.
class LogLineParser {
 public:
  LogLineParser();
  // False when Qt offers no Windows-1251 decoder on this machine.
  bool isValid() const { return valid_; }
  // One line without its line end.
  LogRow parse(QByteArrayView line);

 private:
  QString decode(QByteArrayView bytes) const;

  // Qt's decoder asked once for every byte: a call per line costs more
  // than the rest of the parsing.
  std::array<char16_t, 256> characters_{};
  bool valid_ = false;
  CellPool dates_;
  CellPool boards_;
  CellPool channels_;
};

// Every line of a whole file. LF or CR LF ends a line; a last line without
// either counts too. An empty line is a malformed row, so row N is line N.
std::vector<LogRow> ParseLogBytes(QByteArrayView bytes, LogLineParser& parser);

}  // namespace varnel::viewer
