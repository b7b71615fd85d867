#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "viewer/log_row.h"

namespace varnel::viewer {

// The rows of one file, read-only; replaced whole when a file is opened.
class LogTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void setRows(std::vector<LogRow> rows);
  const std::vector<LogRow>& rows() const { return rows_; }
  const LogRow& rowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  int malformedCount() const { return malformedCount_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<LogRow> rows_;
  int malformedCount_ = 0;
};

}  // namespace varnel::viewer
