#include "ui/boards/modem/firmware_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

ModemFirmwareWindow::ModemFirmwareWindow(ModemFirmwareSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("TFrwVK");
  setModal(true);
  timer_.setObjectName("TimerRW");
  timer_.setInterval(ModemFirmwareSession::kTickMs);
  auto* column = new QVBoxLayout(this);
  progress = Named(new QLabel(this), "LabProgress");
  time = Named(new QLabel(this), "LabTime");
  gauge = Named(new QProgressBar(this), "Gauge");
  gauge->setRange(0, 100);
  close = Named(new QPushButton("Отмена", this), "ButClose");
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  column->addWidget(progress);
  column->addWidget(time);
  column->addWidget(gauge);
  column->addWidget(close, 0, Qt::AlignRight);
  resize(420, 160);
  connect(&timer_, &QTimer::timeout, this, [this] {
    session_.Tick();
    ShowState();
  });
}

void ModemFirmwareWindow::Run() {
  session_.Show();
  ShowState();
  timer_.start();
  exec();
}

void ModemFirmwareWindow::ShowState() {
  setWindowTitle(Q(session_.caption()));
  progress->setText(Display(session_.progress()));
  time->setText(Q(session_.timeText()));
  gauge->setValue(session_.gauge());
  close->setText(Q(session_.closeCaption()));
  if (session_.closeRequested()) accept();
}

void ModemFirmwareWindow::done(int result) {
  timer_.stop();
  session_.Close();
  QDialog::done(result);
}

}  // namespace varnel::ui
