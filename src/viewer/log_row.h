#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace varnel::viewer {

// The cells of a line, in file order.
enum LogColumn : int { kDateColumn, kTimeColumn, kBoardColumn, kChannelColumn, kEventColumn, kColumnCount };

// One line of an export file: its cells, or why it was refused.
struct LogRow {
  std::array<QString, kColumnCount> cells;
  // The line as read, without its line end. Kept for well-formed lines only,
  // so that saving writes back exactly what was read.
  QByteArray raw;
  // Empty for a well-formed line, else the reason, and the event cell holds
  // the line's text with control characters made visible.
  QString problem;
  // Precomputed at load so that filtering and sorting touch no other text.
  QString eventLower;
  qint64 timeKey = 0;

  bool malformed() const { return !problem.isEmpty(); }
};

}  // namespace varnel::viewer
