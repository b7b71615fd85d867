#pragma once
// Message boxes go through here so that tests can answer them instead of an
// operator, and so that every box of the program looks the same.

#include <QString>

class QWidget;

namespace varnel::ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void warning(QWidget* parent, const QString& text);
  // OK/Cancel; true when the operator chose OK.
  virtual bool confirm(QWidget* parent, const QString& text);
  virtual void information(QWidget* parent, const QString& text);
  // The save dialog of the event log: the chosen name (empty when cancelled)
  // and whether the log file type was the one chosen.
  virtual QString saveLogFile(QWidget* parent, bool& logTypeChosen);
  // The termination board update file; the current one when cancelled.
  virtual QString openUpdateFile(QWidget* parent, const QString& current);
  // A modem program file of the given filter ("Name (*.ext)"); the current one when cancelled.
  virtual QString openModemProgram(QWidget* parent, const QString& filter, const QString& current);
};

}  // namespace varnel::ui
