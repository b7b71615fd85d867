#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace varnel::viewer {

// Hands out one shared string for cells that repeat, as dates, boards and
// channels do line after line, sparing an allocation per cell. It remembers
// the last few distinct values only, so any file costs a bounded search.
class CellPool {
 public:
  QString shared(QStringView cell);

 private:
  static constexpr std::size_t kRemembered = 16;
  std::vector<QString> recent_;  // a ring, next_ is the oldest once full
  std::size_t next_ = 0;
};

}  // namespace varnel::viewer
