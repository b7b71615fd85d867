#pragma once
// VKLog's rows, read straight from the event log records: the window never
// keeps a copy. Bold marks the current row and every row holding the text
// the operator double-clicked.

#include <QAbstractTableModel>

namespace varnel {
class EventLog;
}

namespace varnel::ui {

class LogGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit LogGridModel(const EventLog& log, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The records changed: redraw everything.
  void Refresh();
  void setHighlight(const QString& text);
  const QString& highlight() const { return highlight_; }

 private:
  bool Bold(int logRow) const;

  const EventLog& log_;
  QString highlight_;
};

}  // namespace varnel::ui
