#include "ui/boards/termination/module_rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

using Widgets = std::initializer_list<QWidget*>;

enum Column { kLabel, kTx, kRx, kMode, kEcho, kLock };

template <typename W>
W* RowControl(W* widget, const char* name, int n) {
  widget->setObjectName(QString("%1%2").arg(name).arg(n));
  return widget;
}

QComboBox* LevelList(QWidget* parent, const char* name, int n, const std::vector<std::string>& items, bool shown) {
  auto* list = RowControl(new QComboBox(parent), name, n);
  list->addItems(QItems(items));
  list->setCurrentIndex(items.empty() ? -1 : 0);
  list->setVisible(shown);
  return list;
}

void AddHeadings(QGridLayout* grid, QWidget* parent) {
  const std::pair<Column, const char*> headings[] = {
      {kTx, "Передача, дБ"}, {kRx, "Приём, дБ"}, {kMode, "Режим"}, {kEcho, "Эхо- компенсатор:"}, {kLock, "Блокировка"}};
  for (auto [column, text] : headings) grid->addWidget(new QLabel(text, parent), 0, column);
}

}  // namespace

ModuleRows::ModuleRows(const TBRDS& board, const ConfigGates& gates, QWidget* parent)
    : QGroupBox("Голосовые модули", parent) {
  setObjectName("PanelMods");
  auto* grid = new QGridLayout(this);
  AddHeadings(grid, this);
  for (int n = 1; n <= 3; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const Row row = BuildRow(n, ModuleRowOf(n, board.Modules[i].Tag, gates));
    QWidget* const cells[] = {row.label, row.tx, row.rx, row.mode, row.echo, row.lock};
    for (int column = kLabel; column <= kLock; ++column) grid->addWidget(cells[column], n, column);
    rows_[i] = row;
  }
  grid->setColumnStretch(kLock + 1, 1);
}

ModuleRows::Row ModuleRows::BuildRow(int n, const ModuleRowView& view) {
  Row row;
  row.label = RowControl(new QLabel(Q(view.label), this), "LabMod", n);
  row.label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));  // names line up
  row.tx = LevelList(this, "cbLvlTX", n, view.txLevels, view.txShown);
  row.rx = LevelList(this, "cbLvlRX", n, view.rxLevels, view.rxShown);
  row.mode = LevelList(this, "cbModMode", n, view.modes, view.modeShown);
  row.echo = RowControl(new QCheckBox("Вкл", this), "chECen", n);
  row.echo->setVisible(view.echoShown);
  row.lock = RowControl(new QCheckBox("Блок", this), "ChLockMod", n);
  row.lock->setVisible(view.lockShown);
  row.lock->setEnabled(view.lockEnabled);
  for (QWidget* w : Widgets{row.label, row.echo, row.lock}) {
    // A palette, not a style sheet, keeps the tick boxes drawn as elsewhere.
    QPalette palette = w->palette();
    palette.setColor(w->backgroundRole(), BgrColour(view.colour));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
  }
  // The rule also runs when the program sets the box.
  connect(row.lock, &QCheckBox::toggled, this, [this, row] { LockClicked(row); });
  return row;
}

void ModuleRows::LockClicked(const Row& row) {
  const ModuleLockView view = ModuleLockRule(row.lock->isEnabled(), row.lock->isChecked());
  if (!view.applies) return;
  for (QWidget* w : Widgets{row.tx, row.rx, row.mode, row.echo}) w->setEnabled(view.controlsEnabled);
}

void ModuleRows::SetModule(int i, const ModuleForm& form) {
  const Row& row = rows_.at(static_cast<std::size_t>(i));
  row.tx->setCurrentIndex(form.tx);
  row.rx->setCurrentIndex(form.rx);
  row.mode->setCurrentIndex(form.mode);
  row.echo->setChecked(form.echo);
  row.lock->setChecked(form.locked);
}

ModuleForm ModuleRows::Module(int i) const {
  const Row& row = rows_.at(static_cast<std::size_t>(i));
  return {row.tx->currentIndex(), row.rx->currentIndex(), row.mode->currentIndex(), row.echo->isChecked(),
          row.lock->isChecked()};
}

}  // namespace varnel::ui
