#pragma once

#include <QSortFilterProxyModel>

#include "viewer/log_filter.h"
#include "viewer/log_table_model.h"

namespace varnel::viewer {

// Filters and sorts the rows of a LogTableModel by their precomputed fields,
// so a new filter reruns over the rows without rebuilding the model.
class LogFilterProxy final : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit LogFilterProxy(LogTableModel* source, QObject* parent = nullptr);

  void setFilter(LogFilter filter);
  const LogFilter& filter() const { return filter_; }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  const LogTableModel* source_;
  LogFilter filter_;
};

}  // namespace varnel::viewer
