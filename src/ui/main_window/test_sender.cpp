#include "ui/main_window/test_sender.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "wire/frame.h"
#include "wire/str_utils.h"

namespace varnel::ui {

namespace {
QLineEdit* HexEdit(const char* name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  return edit;
}
}  // namespace

TestSender::TestSender(QWidget* parent) : QGroupBox("Параметры", parent) {
  setObjectName("PanelTest");
  route_ = HexEdit("EditRoute", "000F", this);
  data_ = HexEdit("EditData", "", this);
  checksum_ = HexEdit("EditCS", "", this);
  send_ = new QPushButton("test send", this);
  send_->setObjectName("ButSend");

  auto* form = new QFormLayout(this);
  form->addRow("Route", route_);
  form->addRow("Data", data_);
  form->addRow("CS", checksum_);
  form->addRow(send_);

  connect(route_, &QLineEdit::textChanged, this, &TestSender::updateChecksum);
  connect(data_, &QLineEdit::textChanged, this, &TestSender::updateChecksum);
  connect(send_, &QPushButton::clicked, this, [this] {
    const Bytes bytes = HexToBytes((route_->text() + data_->text() + checksum_->text()).toStdString());
    emit sendRequested(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  });
  updateChecksum();
}

void TestSender::setRouteText(const QString& text) { route_->setText(text); }

void TestSender::updateChecksum() {
  const Bytes bytes = HexToBytes((route_->text() + data_->text()).toStdString());
  checksum_->setText(QString::fromStdString(BytesToHex(Bytes{FrameChecksum(bytes)})));
}

}  // namespace varnel::ui
