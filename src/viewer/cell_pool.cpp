#include "viewer/cell_pool.h"

namespace varnel::viewer {

QString CellPool::shared(QStringView cell) {
  for (const QString& known : recent_) {
    if (known == cell) return known;
  }
  QString fresh = cell.toString();
  if (recent_.size() < kRemembered) {
    recent_.push_back(fresh);
  } else {
    recent_[next_] = fresh;
    next_ = (next_ + 1) % kRemembered;
  }
  return fresh;
}

}  // namespace varnel::viewer
