#pragma once

#include <QMainWindow>

class QLabel;
class QTableView;

namespace varnel::viewer {

class FilterBar;
class LogFilterProxy;
class LogTableModel;

// The viewer's window: a filter bar over the table of one file's rows, the
// count of rows shown in the status bar.
class ViewerWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit ViewerWindow(QWidget* parent = nullptr);

  // Both return an error text, empty on success; a failed open keeps the
  // rows shown before.
  QString openFile(const QString& path);
  QString saveFiltered(const QString& path);
  // Opens a file and tells the user when that fails.
  void openOrWarn(const QString& path);

 private:
  void buildMenu();
  void buildTable();
  void openWithDialog();
  void saveWithDialog();
  void applyFilter();
  void showCount();

  LogTableModel* model_ = nullptr;
  LogFilterProxy* proxy_ = nullptr;
  FilterBar* filters_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* count_ = nullptr;
  QString path_;
};

}  // namespace varnel::viewer
