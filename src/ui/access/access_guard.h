#pragma once
// Applies the access mode to the controls of the administrator's table in
// the main window and every window opened from it. Controls are found by
// objectName whenever the mode changes, when a window is applied, and when a
// control is first polished or shown, so controls built later are covered
// too. In user mode the guard wins over any other logic that enables a
// control; what that logic wanted is restored in administrator mode.

#include <QObject>

class QWidget;

namespace varnel::ui {

class AccessGuard : public QObject {
  Q_OBJECT
 public:
  // main: the main window; its own windows are the ones it parents.
  explicit AccessGuard(QWidget* main);
  ~AccessGuard() override;

  bool admin() const { return admin_; }
  void setAdmin(bool admin);
  // Every control of the table inside this window (the main window or one it opened).
  void Apply(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool InScope(const QWidget* w) const;
  bool Guarded(const QWidget* w) const;
  void Lock(QWidget* w);
  void Unlock(QWidget* w);

  QWidget* main_;
  bool admin_ = true;
  bool applying_ = false;  // our own setEnabled calls are not other logic's
};

}  // namespace varnel::ui
