#include "ui/boards/termination/config_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

TerminationConfigWindow::TerminationConfigWindow(ConfigWindowMode mode, const TBRDS& board, QWidget* parent)
    : QDialog(parent), mode_(mode), gates_(ConfigGatesOf(board)) {
  setObjectName("FSL");
  setModal(true);
  const ConfigWindowFrame frame = FrameOf(mode);
  setWindowTitle(Q(frame.caption));
  setFixedSize(frame.width, frame.height);

  auto* column = new QVBoxLayout(this);
  settings_ = BuildSettingsPage(board);
  firmware_ = BuildFirmwareGroup();
  column->addWidget(settings_);
  column->addWidget(firmware_, 1);
  column->addLayout(BuildButtons());
  settings_->setVisible(frame.settingsShown);
  read_->setVisible(frame.settingsShown);
  write_->setVisible(frame.settingsShown);
  firmware_->setVisible(frame.firmwareShown);

  contacts_->setVisible(gates_.contacts);
  limiter_->setVisible(gates_.limiter);
  transparent_->setVisible(gates_.transparent);
  poe_->setVisible(gates_.poe);
  ConnectRules();
  SetForm(TerminationConfigForm{});
}

QWidget* TerminationConfigWindow::BuildFirmwareGroup() {
  auto* group = Named(new QGroupBox("Обновление ПО", this), "PanelFW");
  auto* column = new QVBoxLayout(group);
  auto* file = new QGroupBox("Выбор файла", group);
  auto* fileRow = new QHBoxLayout(file);
  auto* name = Named(new QLineEdit(file), "EditFileNameFW");
  name->setReadOnly(true);
  fileRow->addWidget(name, 1);
  fileRow->addWidget(Named(new QPushButton("Открыть", file), "ButOpenFileFW"));
  column->addWidget(file);
  auto* status = Named(new QLabel(group), "LabStatus");
  status->setWordWrap(true);
  column->addWidget(status, 1);
  auto* start = Named(new QPushButton("Начать обновление", group), "ButFwStart");
  connect(start, &QPushButton::clicked, this, &TerminationConfigWindow::writeRequested);
  column->addWidget(start, 0, Qt::AlignLeft);
  return group;
}

QLayout* TerminationConfigWindow::BuildButtons() {
  auto* row = new QHBoxLayout;
  read_ = Named(new QPushButton("Чтение", this), "ButRDcfg");
  write_ = Named(new QPushButton("Запись", this), "ButWRcfg");
  auto* restart = Named(new QPushButton("Перезапуск", this), "ButRST");
  auto* close = Named(new QPushButton("Закрыть", this), "ButCloseCfg");
  connect(read_, &QPushButton::clicked, this, &TerminationConfigWindow::readRequested);
  connect(write_, &QPushButton::clicked, this, &TerminationConfigWindow::writeRequested);
  connect(restart, &QPushButton::clicked, this, &TerminationConfigWindow::restartRequested);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* b : {read_, write_}) row->addWidget(b);
  row->addStretch(1);
  for (QPushButton* b : {restart, close}) row->addWidget(b);
  return row;
}

void TerminationConfigWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Opening reads at once, as "Чтение" would.
  if (shownOnce_) return;
  shownOnce_ = true;
  emit readRequested();
}

void TerminationConfigWindow::ConnectRules() {
  connect(channelMode_, &QComboBox::activated, this, &TerminationConfigWindow::ChannelModeChanged);
  for (QCheckBox* box : {ethernetBlocked_, transparent_}) {
    connect(box, &QCheckBox::toggled, this, &TerminationConfigWindow::EthernetClicked);
  }
  connect(serviceWidth_, &QSpinBox::editingFinished, this, &TerminationConfigWindow::ServiceWidthExit);
  connect(rsMode_, &QComboBox::activated, this, &TerminationConfigWindow::Rs232ModeChanged);
  connect(rsStream_, &QComboBox::activated, this, &TerminationConfigWindow::StreamChanged);
  connect(bandSplit_, &QSlider::valueChanged, this, &TerminationConfigWindow::BandChanged);
  connect(alarmMode_, &QComboBox::activated, this, &TerminationConfigWindow::AlarmModeChanged);
}

void TerminationConfigWindow::ChannelModeChanged() {
  const ChannelModeView view = ChannelModeRule(channelMode_->currentIndex(), gates_);
  for (QWidget* group : {band_, ethernet_, rs232_}) group->setVisible(view.digitalShown);
  analog_->setVisible(view.analogShown);
}

void TerminationConfigWindow::EthernetClicked() {
  const EthernetView view = EthernetRule(ethernetBlocked_->isChecked(), transparent_->isChecked(), poe_->isChecked());
  const QSignalBlocker quiet(transparent_);
  transparent_->setChecked(view.transparentChecked);
  transparent_->setEnabled(view.transparentEnabled);
  for (std::size_t i = 0; i < addresses_.size(); ++i) {
    addresses_[i]->setEnabled(view.addressesEnabled);
    addressLabels_[i]->setEnabled(view.addressesEnabled);
  }
  poe_->setChecked(view.poeChecked);
  poe_->setEnabled(view.poeEnabled);
}

void TerminationConfigWindow::ServiceWidthExit() { serviceWidth_->setValue(RoundServiceWidth(serviceWidth_->value())); }

void TerminationConfigWindow::Rs232ModeChanged() {
  const Rs232View view = Rs232ModeRule(rsMode_->currentIndex(), rsRate_->currentIndex(), gates_);
  rsRate_->clear();
  rsRate_->addItems(QItems(view.rates));
  rsRate_->setCurrentIndex(view.rate);
  parityLabel_->setVisible(view.parityShown);
  rsParity_->setVisible(view.parityShown);
  streamLabel_->setVisible(view.streamShown);
  rsStream_->setVisible(view.streamShown);
  rsStream_->setFixedWidth(view.streamWidth);
  rsStreamRate_->setVisible(view.streamRateShown);
}

void TerminationConfigWindow::StreamChanged() {
  const StreamRateView view = StreamRule(rsStream_->currentIndex(), rsStreamRate_->currentIndex());
  rsStreamRate_->setEnabled(view.enabled);
  rsStreamRate_->setCurrentIndex(view.selected);
}

void TerminationConfigWindow::BandChanged() { bandLabel_->setText(Q(BandLabel(bandSplit_->value(), gates_))); }

void TerminationConfigWindow::AlarmModeChanged() {
  const AlarmView view = AlarmModeRule(alarmMode_->currentIndex());
  alarmChannelsLabel_->setVisible(view.channelsShown);
  for (QCheckBox* box : alarmChannels_) {
    box->setVisible(view.channelsShown);
    if (view.untick) box->setChecked(false);
  }
}

}  // namespace varnel::ui
