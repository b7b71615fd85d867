#include "viewer/log_filter_proxy.h"

namespace varnel::viewer {

LogFilterProxy::LogFilterProxy(LogTableModel* source, QObject* parent) : QSortFilterProxyModel(parent), source_(source) {
  setSourceModel(source);
}

void LogFilterProxy::setFilter(LogFilter filter) {
  filter_ = std::move(filter);
  // invalidate() tells the view "layout changed" once; invalidateFilter()
  // would report every removed run of rows, which the view handles one by
  // one, costing seconds over a large file.
  invalidate();
}

bool LogFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return filter_.accepts(source_->rowAt(sourceRow));
}

// Dates sort by moment rather than text, events without regard to case; the
// sort is stable, so equal rows keep file order.
bool LogFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const LogRow& a = source_->rowAt(left.row());
  const LogRow& b = source_->rowAt(right.row());
  switch (left.column()) {
    case kDateColumn:
      return a.timeKey < b.timeKey;
    case kEventColumn:
      return a.eventLower < b.eventLower;
    default:
      return a.cells[static_cast<std::size_t>(left.column())] < b.cells[static_cast<std::size_t>(left.column())];
  }
}

}  // namespace varnel::viewer
