#include "viewer/log_table_model.h"

#include <QBrush>
#include <algorithm>

namespace varnel::viewer {

namespace {

const QColor kMalformedText(0x90, 0x00, 0x00);
const QColor kMalformedBackground(0xFF, 0xE0, 0xE0);

QString DisplayText(const LogRow& row, int column) {
  if (row.malformed() && column == kDateColumn) return QStringLiteral("ошибка");
  return row.cells[static_cast<std::size_t>(column)];
}

QVariant MalformedOnly(const LogRow& row, const QVariant& value) { return row.malformed() ? value : QVariant(); }

}  // namespace

void LogTableModel::setRows(std::vector<LogRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  malformedCount_ = static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const LogRow& r) { return r.malformed(); }));
  endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const LogRow& row = rowAt(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(row, index.column());
    case Qt::ToolTipRole:
      return MalformedOnly(row, QStringLiteral("Ошибочная строка: %1").arg(row.problem));
    case Qt::ForegroundRole:
      return MalformedOnly(row, QBrush(kMalformedText));
    case Qt::BackgroundRole:
      return MalformedOnly(row, QBrush(kMalformedBackground));
    default:
      return {};
  }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const QString kTitles[kColumnCount] = {QStringLiteral(" Дата"), QStringLiteral(" Время"), QStringLiteral(" Плата"),
                                                QStringLiteral(" Канал"), QStringLiteral(" Событие")};
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumnCount) {
    return kTitles[section];
  }
  // Rows are numbered as lines of the file, also when sorted.
  return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace varnel::viewer
