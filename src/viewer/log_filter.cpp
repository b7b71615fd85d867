#include "viewer/log_filter.h"

#include "viewer/time_key.h"

namespace varnel::viewer {

namespace {

bool InDateRange(const LogFilter& filter, qint64 key) {
  if (!filter.fromKey && !filter.toKey) return true;
  if (!HasRealDate(key)) return false;
  return (!filter.fromKey || key >= *filter.fromKey) && (!filter.toKey || key <= *filter.toKey);
}

bool Matches(const std::optional<QString>& wanted, const QString& cell) { return !wanted || *wanted == cell; }

}  // namespace

bool LogFilter::accepts(const LogRow& row) const {
  return InDateRange(*this, row.timeKey) && Matches(board, row.cells[kBoardColumn]) &&
         Matches(channel, row.cells[kChannelColumn]) &&
         (textLower.isEmpty() || row.eventLower.contains(textLower));
}

std::vector<const LogRow*> RowsToSave(const std::vector<LogRow>& rows, const LogFilter& filter) {
  std::vector<const LogRow*> chosen;
  for (const LogRow& row : rows) {
    if (!row.malformed() && filter.accepts(row)) chosen.push_back(&row);
  }
  return chosen;
}

}  // namespace varnel::viewer
