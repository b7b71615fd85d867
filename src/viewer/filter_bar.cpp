#include "viewer/filter_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <algorithm>

#include "viewer/time_key.h"

namespace varnel::viewer {

namespace {

const QString kMomentFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

// The distinct cells of one column over the well-formed rows, sorted.
QStringList DistinctCells(const std::vector<LogRow>& rows, int column) {
  QSet<QString> seen;
  for (const LogRow& row : rows) {
    if (!row.malformed()) seen.insert(row.cells[static_cast<std::size_t>(column)]);
  }
  QStringList cells(seen.begin(), seen.end());
  cells.sort();
  return cells;
}

// Board cells are padded with blanks: the list shows them trimmed and
// keeps the exact cell to compare with.
void FillChoices(QComboBox* box, const QString& all, const QStringList& cells) {
  box->clear();
  box->addItem(all);
  for (const QString& cell : cells) box->addItem(cell.trimmed(), cell);
}

std::optional<QString> Chosen(const QComboBox* box) {
  const QVariant cell = box->currentData();
  if (!cell.isValid()) return std::nullopt;
  return cell.toString();
}

// The first and last real moments of the rows, or now twice when none has a date.
std::pair<QDateTime, QDateTime> MomentRange(const std::vector<LogRow>& rows) {
  std::optional<qint64> first, last;
  for (const LogRow& row : rows) {
    if (!HasRealDate(row.timeKey)) continue;
    first = std::min(first.value_or(row.timeKey), row.timeKey);
    last = std::max(last.value_or(row.timeKey), row.timeKey);
  }
  if (!first) return {QDateTime::currentDateTime(), QDateTime::currentDateTime()};
  return {MomentOfKey(*first), MomentOfKey(*last)};
}

}  // namespace

FilterBar::FilterBar(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 2);
  from_ = addBound(QStringLiteral("С"), QStringLiteral("FilterFrom"), &fromOn_);
  to_ = addBound(QStringLiteral("по"), QStringLiteral("FilterTo"), &toOn_);
  board_ = addChoice(QStringLiteral("Плата:"), QStringLiteral("FilterBoard"));
  channel_ = addChoice(QStringLiteral("Канал:"), QStringLiteral("FilterChannel"));
  layout->addWidget(new QLabel(QStringLiteral("Событие:"), this));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("FilterText"));
  text_->setPlaceholderText(QStringLiteral("часть текста, без учёта регистра"));
  text_->setClearButtonEnabled(true);
  layout->addWidget(text_, 1);
  resetFor({});
  watch();
}

QDateTimeEdit* FilterBar::addBound(const QString& text, const QString& name, QCheckBox** enabler) {
  auto* on = new QCheckBox(text, this);
  on->setObjectName(name + QStringLiteral("On"));
  auto* edit = new QDateTimeEdit(this);
  edit->setObjectName(name);
  edit->setDisplayFormat(kMomentFormat);
  edit->setCalendarPopup(true);
  // The style's hint leaves no room for the seconds beside the popup button.
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 48);
  edit->setEnabled(false);
  connect(on, &QCheckBox::toggled, edit, &QWidget::setEnabled);
  layout()->addWidget(on);
  layout()->addWidget(edit);
  *enabler = on;
  return edit;
}

QComboBox* FilterBar::addChoice(const QString& text, const QString& name) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  layout()->addWidget(new QLabel(text, this));
  layout()->addWidget(box);
  return box;
}

void FilterBar::watch() {
  const auto notify = [this] { emit changed(); };
  connect(fromOn_, &QCheckBox::toggled, this, notify);
  connect(toOn_, &QCheckBox::toggled, this, notify);
  connect(from_, &QDateTimeEdit::dateTimeChanged, this, notify);
  connect(to_, &QDateTimeEdit::dateTimeChanged, this, notify);
  connect(board_, &QComboBox::currentIndexChanged, this, notify);
  connect(channel_, &QComboBox::currentIndexChanged, this, notify);
  connect(text_, &QLineEdit::textChanged, this, notify);
}

void FilterBar::resetFor(const std::vector<LogRow>& rows) {
  // One notice for the whole reset rather than one per control.
  const QSignalBlocker quiet(this);
  FillChoices(board_, QStringLiteral("Все платы"), DistinctCells(rows, kBoardColumn));
  FillChoices(channel_, QStringLiteral("Все каналы"), DistinctCells(rows, kChannelColumn));
  fromOn_->setChecked(false);
  toOn_->setChecked(false);
  text_->clear();
  const auto [first, last] = MomentRange(rows);
  from_->setDateTime(first);
  to_->setDateTime(last);
}

LogFilter FilterBar::filter() const {
  LogFilter filter;
  if (fromOn_->isChecked()) filter.fromKey = TimeKeyOf(from_->dateTime());
  if (toOn_->isChecked()) filter.toKey = TimeKeyOf(to_->dateTime());
  filter.board = Chosen(board_);
  filter.channel = Chosen(channel_);
  filter.textLower = text_->text().toLower();
  return filter;
}

}  // namespace varnel::viewer
