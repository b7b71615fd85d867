#include "ui/boards/modem/log_grid_model.h"

#include <QFont>

#include "eventlog/event_log.h"

namespace varnel::ui {

namespace {

const char* const kHeader[kLogColumns] = {" Дата", " Время", " Плата", " Канал", " Событие"};

}  // namespace

LogGridModel::LogGridModel(const EventLog& log, QObject* parent) : QAbstractTableModel(parent), log_(log) {}

int LogGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : log_.rowCount() - 1;  // row 0 of the records is the header
}

int LogGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kLogColumns; }

QVariant LogGridModel::data(const QModelIndex& index, int role) const {
  const int logRow = index.row() + 1;
  if (!index.isValid() || logRow >= log_.rowCount()) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(log_.row(logRow).at(static_cast<std::size_t>(index.column())));
  }
  if (role == Qt::FontRole && Bold(logRow)) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  return {};
}

QVariant LogGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kLogColumns) return {};
  return QString(kHeader[section]);
}

bool LogGridModel::Bold(int logRow) const {
  if (logRow == log_.currentRow()) return true;
  if (highlight_.isEmpty()) return false;
  QString joined;
  for (const std::string& cell : log_.row(logRow)) joined += QString::fromStdString(cell);
  return joined.contains(highlight_);
}

void LogGridModel::Refresh() {
  beginResetModel();
  endResetModel();
}

void LogGridModel::setHighlight(const QString& text) {
  highlight_ = text;
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kLogColumns - 1), {Qt::FontRole});
}

}  // namespace varnel::ui
