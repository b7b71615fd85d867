#pragma once
// The main window's status bar: device (0), board traffic (1), UDP endpoint
// (2) and clock (3, takes the rest of the width).

#include <QStatusBar>
#include <array>

class QLabel;

namespace varnel::ui {

class StatusPanels : public QStatusBar {
  Q_OBJECT
 public:
  explicit StatusPanels(QWidget* parent = nullptr);
  void setPanel(int index, const QString& text);
  QString panel(int index) const;

 private:
  std::array<QLabel*, 4> panels_{};
};

}  // namespace varnel::ui
