// The window's settings in and out as one plain record.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>

#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/module_rows.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

void TerminationConfigWindow::SetForm(const TerminationConfigForm& form) {
  // The order of a decoded record: a box set here runs its rule at once
  // against what is set already, so "Включить PoE" comes after "Блокировать".
  transparent_->setChecked(form.transparent);
  SetAlarm(form);
  serviceWidth_->setValue(form.serviceWidth);
  SetRs232(form);
  channelMode_->setCurrentIndex(form.channelMode);
  ChannelModeChanged();
  codec_->setCurrentIndex(form.codec);
  SetEthernet(form);
  voiceChannels_->setCurrentIndex(form.voiceChannels - 1);
  bandSplit_->setValue(form.bandPosition);
  BandChanged();
  limiter_->setChecked(form.limiter);
  for (int i = 0; i < 3; ++i) modules_->SetModule(i, form.modules[static_cast<std::size_t>(i)]);
  addresses_[0]->setText(Q(form.ip));
  addresses_[1]->setText(Q(form.mask));
  addresses_[2]->setText(Q(form.gateway));
}

void TerminationConfigWindow::SetAlarm(const TerminationConfigForm& form) {
  alarmMode_->setCurrentIndex(form.alarmMode);
  for (std::size_t c = 0; c < alarmChannels_.size(); ++c) alarmChannels_[c]->setChecked(form.alarmChannels[c]);
  AlarmModeChanged();
}

void TerminationConfigWindow::SetRs232(const TerminationConfigForm& form) {
  rsMode_->setCurrentIndex(form.rsMode);
  Rs232ModeChanged();
  rsStreamRate_->setCurrentIndex(form.rsStreamRate);
  rsStream_->setCurrentIndex(form.rsStream);
  StreamChanged();
  rsRate_->setCurrentIndex(form.rsRate);
  rsParity_->setCurrentIndex(form.rsParity);
}

void TerminationConfigWindow::SetEthernet(const TerminationConfigForm& form) {
  ethernetBlocked_->setChecked(form.ethernetBlocked);
  poe_->setChecked(form.poeEnabled);
}

TerminationConfigForm TerminationConfigWindow::Form() const {
  TerminationConfigForm f;
  f.channelMode = channelMode_->currentIndex();
  f.serviceWidth = serviceWidth_->value();
  f.codec = codec_->currentIndex();
  f.voiceChannels = voiceChannels_->currentIndex() + 1;
  f.ethernetBlocked = ethernetBlocked_->isChecked();
  f.ip = addresses_[0]->text().toStdString();
  f.mask = addresses_[1]->text().toStdString();
  f.gateway = addresses_[2]->text().toStdString();
  f.poeEnabled = poe_->isChecked();
  f.transparent = transparent_->isChecked();
  f.rsRate = rsRate_->currentIndex();
  f.rsParity = rsParity_->currentIndex();
  f.rsMode = rsMode_->currentIndex();
  f.rsStream = rsStream_->currentIndex();
  f.rsStreamRate = rsStreamRate_->currentIndex();
  f.bandPosition = bandSplit_->value();
  f.limiter = limiter_->isChecked();
  f.alarmMode = alarmMode_->currentIndex();
  for (std::size_t c = 0; c < alarmChannels_.size(); ++c) f.alarmChannels[c] = alarmChannels_[c]->isChecked();
  for (int i = 0; i < 3; ++i) f.modules[static_cast<std::size_t>(i)] = modules_->Module(i);
  return f;
}

}  // namespace varnel::ui
