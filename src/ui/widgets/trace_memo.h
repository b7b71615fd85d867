#pragma once
// The trace memo at the bottom of the main window: fixed-pitch, appended to
// for the whole run. Lines are kept in UTF-8 blocks of a fixed size and only
// the visible ones are drawn, so an append costs the same whether the memo
// holds ten lines or a million and never copies what it holds. Past a bound
// the oldest block goes: a flood of long lines cannot exhaust memory.

#include <QAbstractScrollArea>
#include <deque>
#include <string>
#include <vector>

#include "wire/trace_log.h"

namespace varnel::ui {

class TraceMemo : public QAbstractScrollArea, public TraceSink {
  Q_OBJECT
 public:
  static constexpr std::size_t kBlockBytes = 256 << 10;
  static constexpr std::size_t kKeptBytes = 64 << 20;
  // The picture follows the lines at most this often.
  static constexpr int kRefreshMs = 50;

  // keptBytes: the text kept at most (whole blocks go when it is exceeded).
  explicit TraceMemo(QWidget* parent = nullptr, std::size_t keptBytes = kKeptBytes);

  void appendLine(std::string_view line) override;
  int lineCount() const { return static_cast<int>(lineCount_); }
  // Lines dropped from the front to keep within the bound.
  long long droppedLines() const { return dropped_; }
  QString lineAt(int index) const;
  QString lastLine() const { return lineCount() == 0 ? QString() : lineAt(lineCount() - 1); }
  // Selected lines joined with newlines (everything after selectAll()).
  QString selectedText() const;
  void selectAll();
  void copy() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::string_view rawLine(int index) const;
  int lineHeight() const;
  int lineAtY(int y) const;
  void updateScrollBars();
  void scheduleRefresh();
  void DropOldestBlock();

  struct Block {
    long long first = 0;              // number of its first line since the start
    std::string text;                 // its lines back to back
    std::vector<std::uint32_t> ends;  // where each line ends in text
  };
  std::deque<Block> blocks_;
  std::size_t keptBytes_, bytes_ = 0;
  long long dropped_ = 0;            // lines dropped before the first block
  std::size_t lineCount_ = 0;
  std::size_t longest_ = 0;          // in bytes; a fair upper bound of the width
  int anchor_ = -1, cursor_ = -1;    // selected line range, -1 when none
  bool refreshPending_ = false;
};

}  // namespace varnel::ui
