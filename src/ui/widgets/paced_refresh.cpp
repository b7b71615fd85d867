#include "ui/widgets/paced_refresh.h"

#include <utility>

namespace varnel::ui {

PacedRefresh::PacedRefresh(int minGapMs, int fallbackMs, std::function<void()> show, QObject* parent)
    : QObject(parent), minGapMs_(minGapMs), show_(std::move(show)) {
  fallback_.setSingleShot(true);
  fallback_.setInterval(fallbackMs);
  connect(&fallback_, &QTimer::timeout, this, &PacedRefresh::showNow);
}

void PacedRefresh::request() {
  if (!shown_.isValid() || shown_.elapsed() >= minGapMs_) return showNow();
  later();
}

void PacedRefresh::later() {
  if (!fallback_.isActive()) fallback_.start();
}

void PacedRefresh::showNow() {
  fallback_.stop();
  shown_.start();
  show_();
}

}  // namespace varnel::ui
