#pragma once
// The trace memo at the bottom of the main window: fixed-pitch, never
// cleared, appended to for the whole run. Lines are kept in one UTF-8 buffer
// and only the visible ones are drawn, so an append costs the same whether
// the memo holds ten lines or a million.

#include <QAbstractScrollArea>
#include <string>
#include <vector>

#include "wire/trace_log.h"

namespace varnel::ui {

class TraceMemo : public QAbstractScrollArea, public TraceSink {
  Q_OBJECT
 public:
  explicit TraceMemo(QWidget* parent = nullptr);

  void appendLine(std::string_view line) override;
  int lineCount() const { return static_cast<int>(starts_.size()); }
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

  std::string text_;                // all lines, back to back
  std::vector<std::size_t> starts_;  // where each line begins in text_
  std::size_t longest_ = 0;          // in bytes; a fair upper bound of the width
  int anchor_ = -1, cursor_ = -1;    // selected line range, -1 when none
  bool refreshPending_ = false;
};

}  // namespace varnel::ui
