#pragma once
// Shows something that changes with every answer at most once per minGap.
// During a transfer the moment of a repaint matters as much as its cost: a
// repaint that runs when the next request is due delays it. So a refresh
// asked for on an answer happens at once when it is due (the pause after an
// answer is idle time), and otherwise waits for a later answer; only when no
// answer comes does a fallback timer show the latest state.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace varnel::ui {

class PacedRefresh : public QObject {
 public:
  PacedRefresh(int minGapMs, int fallbackMs, std::function<void()> show, QObject* parent = nullptr);

  // On an answer: shows now if minGap has passed since the last showing,
  // else leaves it to a later answer or the fallback.
  void request();
  // When the state changed at a busy moment: shows by the fallback at the latest.
  void later();
  // Shows now, whatever the gap.
  void showNow();
  void cancel() { fallback_.stop(); }

 private:
  int minGapMs_;
  std::function<void()> show_;
  QElapsedTimer shown_;
  QTimer fallback_;
};

}  // namespace varnel::ui
