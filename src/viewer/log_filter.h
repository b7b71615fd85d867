#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "viewer/log_row.h"

namespace varnel::viewer {

// What the filter bar asks for; an unset part lets every row through.
struct LogFilter {
  // Bounds as time keys (time_key.h), both inclusive. While either is set,
  // rows without a real date are left out: their moment is unknown.
  std::optional<qint64> fromKey{};
  std::optional<qint64> toKey{};
  std::optional<QString> board{};  // the exact cell
  std::optional<QString> channel{};  // the exact cell
  QString textLower{};               // a piece of the event, in lower case

  bool accepts(const LogRow& row) const;
};

// The well-formed rows the filter lets through, in file order: what a save writes.
std::vector<const LogRow*> RowsToSave(const std::vector<LogRow>& rows, const LogFilter& filter);

}  // namespace varnel::viewer
