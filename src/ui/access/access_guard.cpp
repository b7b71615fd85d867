#include "ui/access/access_guard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "access/admin_controls.h"

namespace varnel::ui {

namespace {

// What the control's own logic last asked for, kept while the guard holds it.
constexpr const char* kWanted = "varnelWantedEnabled";
constexpr const char* kLocked = "varnelAccessLocked";

bool IsAdminOnlyWidget(const QWidget* w) {
  return IsAdminOnly(w->window()->objectName().toStdString(), w->objectName().toStdString());
}

}  // namespace

AccessGuard::AccessGuard(QWidget* main) : QObject(main), main_(main) { qApp->installEventFilter(this); }

AccessGuard::~AccessGuard() { qApp->removeEventFilter(this); }

void AccessGuard::setAdmin(bool admin) {
  admin_ = admin;
  Apply(main_);  // the windows it opened are its children too
}

void AccessGuard::Apply(QWidget* window) {
  QList<QWidget*> all = window->findChildren<QWidget*>();
  all.prepend(window);
  for (QWidget* w : all) {
    if (w->objectName().isEmpty() || !IsAdminOnlyWidget(w)) continue;
    if (admin_) {
      Unlock(w);
    } else {
      Lock(w);
    }
  }
}

bool AccessGuard::InScope(const QWidget* w) const {
  for (const QWidget* p = w; p != nullptr; p = p->parentWidget()) {
    if (p == main_) return true;
  }
  return false;
}

bool AccessGuard::Guarded(const QWidget* w) const {
  return !w->objectName().isEmpty() && IsAdminOnlyWidget(w) && InScope(w);
}

void AccessGuard::Lock(QWidget* w) {
  // Not held yet: its own state is what it wants. Held, but enabled under a
  // disabled parent (no event for that): it wants to be enabled.
  if (!w->property(kLocked).toBool() || !w->testAttribute(Qt::WA_ForceDisabled)) {
    w->setProperty(kWanted, !w->testAttribute(Qt::WA_ForceDisabled));
    w->setProperty(kLocked, true);
  }
  applying_ = true;
  w->setEnabled(false);
  applying_ = false;
}

void AccessGuard::Unlock(QWidget* w) {
  if (!w->property(kLocked).toBool()) return;
  w->setProperty(kLocked, false);
  const bool wanted = w->property(kWanted).toBool() || !w->testAttribute(Qt::WA_ForceDisabled);
  applying_ = true;
  w->setEnabled(wanted);
  applying_ = false;
}

bool AccessGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::EnabledChange && type != QEvent::Polish && type != QEvent::Show) return false;
  if (admin_ || applying_ || !watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  if (!Guarded(w)) return false;
  if (type == QEvent::EnabledChange) {
    if (!w->isEnabled()) return false;
    // Other logic enabled it: remember that for administrator mode, keep it off now.
    w->setProperty(kWanted, true);
  }
  Lock(w);
  return false;
}

}  // namespace varnel::ui
