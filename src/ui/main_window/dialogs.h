#pragma once
// Message boxes, and the other things the desktop does for the program (file
// choice, input, opening documents), go through here so that tests can answer
// them instead of an operator, and so that every box of the program looks the same.

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
  // A password asked with an empty preset, typed unseen; false when cancelled.
  virtual bool askPassword(QWidget* parent, const QString& caption, const QString& prompt, QString& entry);
  // Hands a file to the desktop's viewer for its type; false when that failed.
  virtual bool openDocument(const QString& path);
  // One line of text, preset with text; false when cancelled.
  virtual bool inputText(QWidget* parent, const QString& title, const QString& prompt, QString& text);
  // A modem program file of the given filter ("Name (*.ext)"); the current one when cancelled.
  virtual QString openModemProgram(QWidget* parent, const QString& filter, const QString& current);
};

}  // namespace varnel::ui
