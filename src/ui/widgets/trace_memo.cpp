#include "ui/widgets/trace_memo.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace varnel::ui {

TraceMemo::TraceMemo(QWidget* parent, std::size_t keptBytes)
    : QAbstractScrollArea(parent), keptBytes_(keptBytes) {
  setObjectName("Memolog");
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setMinimumHeight(1);
  setFocusPolicy(Qt::StrongFocus);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  setFont(font);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

void TraceMemo::appendLine(std::string_view line) {
  if (blocks_.empty() || blocks_.back().text.size() + line.size() > blocks_.back().text.capacity()) {
    Block& b = blocks_.emplace_back();
    b.first = dropped_ + static_cast<long long>(lineCount_);
    b.text.reserve(std::max(kBlockBytes, line.size()));
  }
  Block& b = blocks_.back();
  b.text.append(line);
  b.ends.push_back(static_cast<std::uint32_t>(b.text.size()));
  ++lineCount_;
  bytes_ += line.size();
  longest_ = std::max(longest_, line.size());
  while (bytes_ > keptBytes_ && blocks_.size() > 1) DropOldestBlock();
  scheduleRefresh();
}

void TraceMemo::DropOldestBlock() {
  const Block& b = blocks_.front();
  const int n = static_cast<int>(b.ends.size());
  bytes_ -= b.text.size();
  lineCount_ -= b.ends.size();
  dropped_ += n;
  blocks_.pop_front();
  // The selection and the view stay on the same lines where these remain.
  if (anchor_ >= 0) {
    anchor_ -= n;
    cursor_ -= n;
    if (std::max(anchor_, cursor_) < 0) {
      anchor_ = cursor_ = -1;
    } else {
      anchor_ = std::max(anchor_, 0);
      cursor_ = std::max(cursor_, 0);
    }
  }
  QScrollBar* v = verticalScrollBar();
  if (v->value() < v->maximum() - 1) v->setValue(std::max(0, v->value() - n));
}

std::string_view TraceMemo::rawLine(int index) const {
  const long long number = dropped_ + index;
  // The last block whose first line is not after the one sought.
  const auto it = std::upper_bound(blocks_.begin(), blocks_.end(), number,
                                   [](long long n, const Block& b) { return n < b.first; }) - 1;
  const auto i = static_cast<std::size_t>(number - it->first);
  const std::size_t begin = i == 0 ? 0 : it->ends[i - 1];
  return std::string_view(it->text).substr(begin, it->ends[i] - begin);
}

QString TraceMemo::lineAt(int index) const {
  if (index < 0 || index >= lineCount()) return {};
  const auto raw = rawLine(index);
  return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
}

// Appends come in bursts, and under a flood without end; the scroll bars
// and the picture are brought up to date at a bounded rate.
void TraceMemo::scheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(kRefreshMs, this, [this] {
    refreshPending_ = false;
    QScrollBar* v = verticalScrollBar();
    const bool follow = v->value() >= v->maximum() - 1;
    updateScrollBars();
    if (follow) v->setValue(v->maximum());
    viewport()->update();
  });
}

int TraceMemo::lineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

void TraceMemo::updateScrollBars() {
  const int visible = std::max(1, viewport()->height() / lineHeight());
  verticalScrollBar()->setRange(0, std::max(0, lineCount() - visible));
  verticalScrollBar()->setPageStep(visible);
  const int width = static_cast<int>(longest_) * fontMetrics().horizontalAdvance('0');
  horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
}

void TraceMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void TraceMemo::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int h = lineHeight();
  const int first = verticalScrollBar()->value();
  // Shaping text costs per character, and a trace line of a firmware block
  // holds a kilobyte of hex: only the columns in view are drawn (the font
  // has a fixed pitch).
  const int pitch = std::max(1, fontMetrics().horizontalAdvance('0'));
  const int firstColumn = horizontalScrollBar()->value() / pitch;
  const int columns = viewport()->width() / pitch + 2;
  const int x = 2 - horizontalScrollBar()->value() + firstColumn * pitch;
  const int lo = std::min(anchor_, cursor_), hi = std::max(anchor_, cursor_);
  const QPalette& pal = palette();
  for (int i = first, y = 0; i < lineCount() && y < viewport()->height(); ++i, y += h) {
    const bool selected = anchor_ >= 0 && i >= lo && i <= hi;
    if (selected) painter.fillRect(0, y, viewport()->width(), h, pal.highlight());
    painter.setPen(selected ? pal.highlightedText().color() : pal.text().color());
    painter.drawText(x, y + fontMetrics().ascent(), lineAt(i).mid(firstColumn, columns));
  }
}

int TraceMemo::lineAtY(int y) const {
  const int line = verticalScrollBar()->value() + y / lineHeight();
  return std::clamp(line, 0, std::max(0, lineCount() - 1));
}

void TraceMemo::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || lineCount() == 0) return;
  cursor_ = lineAtY(event->position().toPoint().y());
  if (!(event->modifiers() & Qt::ShiftModifier) || anchor_ < 0) anchor_ = cursor_;
  viewport()->update();
}

void TraceMemo::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || anchor_ < 0) return;
  cursor_ = lineAtY(event->position().toPoint().y());
  viewport()->update();
}

void TraceMemo::selectAll() {
  if (lineCount() == 0) return;
  anchor_ = 0;
  cursor_ = lineCount() - 1;
  viewport()->update();
}

QString TraceMemo::selectedText() const {
  if (anchor_ < 0) return {};
  QStringList lines;
  for (int i = std::min(anchor_, cursor_); i <= std::max(anchor_, cursor_); ++i) lines << lineAt(i);
  return lines.join('\n');
}

void TraceMemo::copy() const {
  if (anchor_ >= 0) QApplication::clipboard()->setText(selectedText());
}

void TraceMemo::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return copy();
  if (event->matches(QKeySequence::SelectAll)) return selectAll();
  QAbstractScrollArea::keyPressEvent(event);
}

void TraceMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction("Копировать", this, &TraceMemo::copy)->setEnabled(anchor_ >= 0);
  menu.addAction("Выделить всё", this, &TraceMemo::selectAll);
  menu.exec(event->globalPos());
}

}  // namespace varnel::ui
