#include "ui/boards/modem/log_page.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "boards/modem/modem_clock.h"
#include "eventlog/event_log.h"
#include "model/board_state.h"
#include "ui/boards/modem/log_grid_model.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

constexpr int kColumnWidths[kLogColumns] = {79, 76, 59, 58, 302};
constexpr int kRowHeight = 18;

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
  return Named(new QPushButton(text, parent), name);
}

}  // namespace

ModemLogPage::ModemLogPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabVK_Log");
  setToolTip("Журнал событий");
  auto* column = new QVBoxLayout(this);
  column->addWidget(BuildButtons());
  clock = BuildClock();
  column->addWidget(clock);
  grid = BuildGrid();
  column->addWidget(grid, 1);
}

QWidget* ModemLogPage::BuildButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  open = Button("Открыть журнал", "ButVKLog", row);
  read = Button("Чтение", "ButVKLogRD", row);
  batch = Named(new QComboBox(row), "cbNumLogRD");
  batch->addItems({"1", "2", "4", "8", "16", "32", "64", "128"});
  batch->setCurrentIndex(kDefaultBatchCode);
  readAll = Button("Прочитать все", "ButVKLogALL", row);
  clear = Button("Очистить", "ButVKLogCLR", row);
  save = Button("Сохранить     ", "ButVKLogSave", row);
  view = Button("Фильтровать", "ButLogView", row);
  view->setToolTip("Открыть скачанные данные в программе просмотра логов");
  clockToggle = Button("Часы...", "ButVKClock", row);
  for (QWidget* w : std::initializer_list<QWidget*>{open, read, batch, readAll, clear, save, view}) {
    layout->addWidget(w);
  }
  layout->addStretch(1);
  layout->addWidget(clockToggle);
  return row;
}

QGroupBox* ModemLogPage::BuildClock() {
  auto* group = Named(new QGroupBox("Часы", this), "PanVKClock");
  auto* layout = new QGridLayout(group);
  clockTime = Named(new QLabel("Время не прочитано", group), "LabTimeVK");
  clockRead = Button("Обновить", "ButTimeRefrVK", group);
  clockRead->setToolTip("Обновить(считать время из платы)");
  clockCorrection = Named(new QLabel(group), "LabVKtimecorr");
  correctionUp = Named(new QToolButton(group), "UpDownVKtimeUp");
  correctionUp->setArrowType(Qt::UpArrow);
  correctionDown = Named(new QToolButton(group), "UpDownVKtimeDown");
  correctionDown->setArrowType(Qt::DownArrow);
  clockRate = Button("Записать", "ButTimeSpeedVK", group);
  clockSet = Button("Записать", "ButTimeSyncVK", group);
  for (QPushButton* b : {clockRate, clockSet}) b->setToolTip("Записать в плату");
  layout->addWidget(clockTime, 0, 0, 1, 3);
  layout->addWidget(clockRead, 0, 3);
  layout->addWidget(clockCorrection, 1, 0);
  layout->addWidget(correctionUp, 1, 1);
  layout->addWidget(correctionDown, 1, 2);
  layout->addWidget(clockRate, 1, 3);
  layout->addWidget(new QLabel("Установить часы от ПК", group), 2, 0, 1, 3);
  layout->addWidget(clockSet, 2, 3);
  layout->setColumnStretch(0, 1);
  group->hide();
  connect(clockToggle, &QPushButton::clicked, group, [group] { group->setVisible(group->isHidden()); });
  ShowCorrection(false);
  return group;
}

QTableView* ModemLogPage::BuildGrid() {
  auto* table = Named(new QTableView(this), "VKLog");
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
  table->horizontalHeader()->setStretchLastSection(true);  // the event text takes what is left
  // Double-clicks outside the cells count too: they clear the highlight.
  table->viewport()->installEventFilter(this);
  return table;
}

bool ModemLogPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid->viewport() && model != nullptr && event->type() == QEvent::MouseButtonDblClick) {
    // The cell under the double-click, or none.
    const QModelIndex cell = grid->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    const QString text = cell.isValid() ? cell.data().toString() : QString();
    model->setHighlight(text);
    emit highlightChosen(cell.column(), cell.row() + 1, text);
  }
  return QWidget::eventFilter(watched, event);
}

void ModemLogPage::Attach(const EventLog& log) {
  log_ = &log;
  model = new LogGridModel(log, this);
  grid->setModel(model);
  // The classic widths, unless this machine's font needs more for a bold row.
  QFont bold = grid->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const char* const widest[kLogColumns] = {"00.00.0000", "00:00:00", "СЛ30 (к.1)", "Канал 3", ""};
  for (int c = 0; c < kLogColumns; ++c) {
    grid->setColumnWidth(c, std::max(kColumnWidths[c], metrics.horizontalAdvance(widest[c]) + 12));
  }
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) emit currentRowChosen(current.row() + 1);
          });
}

void ModemLogPage::Show(const TBRDS& modem, bool debug) {
  clockTime->setText(Q(ClockLabelText(modem.Values[0], modem.Texts[0])));
  correction_ = CorrectionFromByte(static_cast<std::uint8_t>(modem.Values[1]));
  ShowCorrection(debug);
  const bool isOpen = log_ != nullptr && log_->state() == kLogOpen;
  for (QWidget* w : std::initializer_list<QWidget*>{grid, read, batch, readAll, clear, save, view}) {
    w->setVisible(isOpen);
  }
  if (model == nullptr) return;
  model->Refresh();
  SelectCurrentRow();
}

void ModemLogPage::SelectCurrentRow() {
  const int row = log_->currentRow() - 1;
  if (row < 0 || row >= model->rowCount()) return;
  const QSignalBlocker quiet(grid->selectionModel());
  const QModelIndex index = model->index(row, 0);
  grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  grid->scrollTo(index);
}

void ModemLogPage::StepCorrection(bool up, bool debug) {
  correction_ = varnel::StepCorrection(correction_, up);
  ShowCorrection(debug);
}

void ModemLogPage::ShowCorrection(bool debug) { clockCorrection->setText(Q(CorrectionLabelText(correction_, debug))); }

int ModemLogPage::batchCode() const { return batch->currentIndex(); }

}  // namespace varnel::ui
