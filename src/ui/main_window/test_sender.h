#pragma once
// The diagnostic sender: a route and data typed as hex, the checksum shown as
// they are typed, and a button that sends exactly the three fields joined.

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace varnel::ui {

class TestSender : public QGroupBox {
  Q_OBJECT
 public:
  explicit TestSender(QWidget* parent = nullptr);
  // The tree puts the open-block frame of the selected device here.
  void setRouteText(const QString& text);

 signals:
  // The bytes to hand to the endpoint unchanged.
  void sendRequested(const QByteArray& datagram);

 private:
  void updateChecksum();
  QLineEdit* route_;
  QLineEdit* data_;
  QLineEdit* checksum_;
  QPushButton* send_;
};

}  // namespace varnel::ui
