#pragma once
// Runs the Qt event loop until done() or the time is up; false on time out.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

inline bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}
