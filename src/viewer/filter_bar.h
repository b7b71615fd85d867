#pragma once

#include <QWidget>
#include <vector>

#include "viewer/log_filter.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace varnel::viewer {

// The filter controls above the table: a date range whose ends are each
// switched on by a check box, a board, a channel and a piece of event text.
class FilterBar final : public QWidget {
  Q_OBJECT

 public:
  explicit FilterBar(QWidget* parent = nullptr);

  // Offers the boards and channels the rows hold, sets the range editors to
  // the rows' first and last moments and clears every filter, without
  // emitting changed().
  void resetFor(const std::vector<LogRow>& rows);
  LogFilter filter() const;

 signals:
  void changed();

 private:
  QDateTimeEdit* addBound(const QString& text, const QString& name, QCheckBox** enabler);
  QComboBox* addChoice(const QString& text, const QString& name);
  void watch();

  QCheckBox* fromOn_ = nullptr;
  QCheckBox* toOn_ = nullptr;
  QDateTimeEdit* from_ = nullptr;
  QDateTimeEdit* to_ = nullptr;
  QComboBox* board_ = nullptr;
  QComboBox* channel_ = nullptr;
  QLineEdit* text_ = nullptr;
};

}  // namespace varnel::viewer
