#include "viewer/viewer_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "viewer/count_text.h"
#include "viewer/filter_bar.h"
#include "viewer/log_file.h"
#include "viewer/log_filter_proxy.h"
#include "viewer/log_table_model.h"

namespace varnel::viewer {

namespace {

const QString kTitle = QStringLiteral("Журнал событий");
const QString kFileTypes = QStringLiteral("Файлы логов (*.log);;Все файлы (*)");

// Widths from the longest usual cell, so that no pass over all rows is needed.
void SizeColumns(QTableView* table) {
  const QFontMetrics metrics(table->font());
  const int pad = 3 * metrics.horizontalAdvance(u' ') + 12;
  const QString widest[] = {QStringLiteral("00.00.0000"), QStringLiteral("00:00:00"), QStringLiteral("ТР-40 (1)__"),
                            QStringLiteral("Канал 3")};
  for (int column = 0; column < kEventColumn; ++column) {
    table->setColumnWidth(column, metrics.horizontalAdvance(widest[column]) + pad);
  }
  table->horizontalHeader()->setStretchLastSection(true);
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(kTitle);
  resize(1100, 640);
  model_ = new LogTableModel(this);
  proxy_ = new LogFilterProxy(model_, this);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  filters_ = new FilterBar(central);
  layout->addWidget(filters_);
  table_ = new QTableView(central);
  layout->addWidget(table_, 1);
  setCentralWidget(central);
  buildTable();
  buildMenu();
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("LabCount"));
  statusBar()->addPermanentWidget(count_);
  connect(filters_, &FilterBar::changed, this, &ViewerWindow::applyFilter);
  showCount();
}

void ViewerWindow::buildTable() {
  table_->setObjectName(QStringLiteral("LogTable"));
  table_->setModel(proxy_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  // Fixed row heights spare Qt measuring every row of a large file.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  // File order until a column is chosen; a third click returns to it.
  table_->horizontalHeader()->setSortIndicatorClearable(true);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
  SizeColumns(table_);
}

void ViewerWindow::buildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->addAction(QStringLiteral("Открыть..."), QKeySequence::Open, this, &ViewerWindow::openWithDialog);
  file->addAction(QStringLiteral("Сохранить отфильтрованные..."), QKeySequence::Save, this,
                  &ViewerWindow::saveWithDialog);
  file->addSeparator();
  file->addAction(QStringLiteral("Выход"), QKeySequence::Quit, this, &QWidget::close);
}

QString ViewerWindow::openFile(const QString& path) {
  LoadResult loaded = ReadLogFile(path);
  if (!loaded.error.isEmpty()) return loaded.error;
  path_ = path;
  filters_->resetFor(loaded.rows);
  proxy_->setFilter(filters_->filter());
  model_->setRows(std::move(loaded.rows));
  setWindowTitle(kTitle + QStringLiteral(" — ") + QFileInfo(path).fileName());
  showCount();
  return {};
}

QString ViewerWindow::saveFiltered(const QString& path) {
  const std::vector<const LogRow*> rows = RowsToSave(model_->rows(), proxy_->filter());
  QString error = WriteLogRows(path, rows);
  if (error.isEmpty()) statusBar()->showMessage(QStringLiteral("Сохранено строк: %1").arg(rows.size()));
  return error;
}

void ViewerWindow::openOrWarn(const QString& path) {
  const QString error = openFile(path);
  if (!error.isEmpty()) QMessageBox::warning(this, kTitle, path + QStringLiteral("\n\n") + error);
}

void ViewerWindow::openWithDialog() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть журнал"), path_, kFileTypes);
  if (!path.isEmpty()) openOrWarn(path);
}

void ViewerWindow::saveWithDialog() {
  const QFileInfo opened(path_);
  const QString suggested =
      path_.isEmpty() ? QString() : opened.dir().filePath(opened.completeBaseName() + QStringLiteral("_отбор.log"));
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить отфильтрованные"), suggested, kFileTypes);
  if (path.isEmpty()) return;
  const QString error = saveFiltered(path);
  if (!error.isEmpty()) QMessageBox::warning(this, kTitle, path + QStringLiteral("\n\n") + error);
}

void ViewerWindow::applyFilter() {
  proxy_->setFilter(filters_->filter());
  showCount();
}

void ViewerWindow::showCount() {
  count_->setText(CountText(proxy_->rowCount(), model_->rowCount(), model_->malformedCount()));
}

}  // namespace varnel::viewer
