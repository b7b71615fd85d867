// The settings groups of the configuration window, one function each.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/module_rows.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

QComboBox* List(QWidget* parent, const char* name, const std::vector<std::string>& items) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(QItems(items));
  return list;
}

// A group whose settings stand in rows of a caption and a control.
QGridLayout* CaptionedRows(QGroupBox* group, std::initializer_list<std::pair<const char*, QWidget*>> rows) {
  auto* grid = new QGridLayout(group);
  int r = 0;
  for (auto [caption, control] : rows) {
    grid->addWidget(new QLabel(caption, group), r, 0);
    grid->addWidget(control, r++, 1);
  }
  return grid;
}

}  // namespace

QWidget* TerminationConfigWindow::BuildSettingsPage(const TBRDS& board) {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildModeGroup(page));
  // The analog group takes the digital band group's place.
  auto* bandPlace = new QGridLayout;
  bandPlace->addWidget(BuildBandGroup(page), 0, 0);
  bandPlace->addWidget(BuildAnalogGroup(page), 0, 0);
  left->addLayout(bandPlace);
  left->addWidget(BuildContactsGroup(page));
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildEthernetGroup(page));
  right->addWidget(BuildRs232Group(page));
  right->addStretch(1);
  grid->addLayout(left, 0, 0);
  grid->addLayout(right, 0, 1);
  // The columns keep their widths when the digital groups hide.
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  modules_ = new ModuleRows(board, gates_, page);
  grid->addWidget(modules_, 1, 0, 1, 2);
  return page;
}

QWidget* TerminationConfigWindow::BuildModeGroup(QWidget* parent) {
  auto* group = new QGroupBox("Настройки", parent);
  channelMode_ = List(group, "cbModeSL", ChannelModeItems());
  CaptionedRows(group, {{"Режим:", channelMode_}})->setColumnStretch(2, 1);
  return group;
}

QWidget* TerminationConfigWindow::BuildBandGroup(QWidget* parent) {
  auto* group = new QGroupBox("Распределение цифровой полосы", parent);
  serviceWidth_ = Named(new QSpinBox(group), "EditHDLC_W");
  serviceWidth_->setRange(100, 6400);
  serviceWidth_->setSingleStep(100);
  codec_ = List(group, "cbG729rate", CodecItems());
  voiceChannels_ = List(group, "cbNumCH", VoiceChannelItems());
  CaptionedRows(group, {{"Канал обслуживания, бит/с", serviceWidth_},
                        {"Голосовой субканал", codec_},
                        {"Число голосовых субканалов", voiceChannels_}});
  band_ = group;
  return group;
}

QWidget* TerminationConfigWindow::BuildAnalogGroup(QWidget* parent) {
  auto* group = new QGroupBox("Настройки аналогового режима", parent);
  auto* column = new QVBoxLayout(group);
  column->addWidget(new QLabel("Разделение аналоговой полосы:", group));
  bandSplit_ = Named(new QSlider(Qt::Horizontal, group), "TrackFilt");
  bandSplit_->setRange(0, 5);
  bandSplit_->setPageStep(1);
  bandSplit_->setTickPosition(QSlider::TicksBelow);
  column->addWidget(bandSplit_);
  auto* headings = new QHBoxLayout;
  headings->addWidget(new QLabel("Модуль 1", group));
  headings->addStretch(1);
  headings->addWidget(new QLabel("Модуль 2", group));
  headings->addStretch(1);
  column->addLayout(headings);
  bandLabel_ = Named(new QLabel(group), "LabFilter");
  column->addWidget(bandLabel_);
  limiter_ = Named(new QCheckBox("Вкл. ограничитель в канале речи", group), "chVoiceLimEn");
  column->addWidget(limiter_);
  analog_ = group;
  return group;
}

QWidget* TerminationConfigWindow::BuildContactsGroup(QWidget* parent) {
  auto* group = new QGroupBox("Контакты сигнализации СК", parent);
  auto* grid = new QGridLayout(group);
  alarmMode_ = List(group, "cbSKmode", AlarmModeItems());
  grid->addWidget(new QLabel("Сигнализация:", group), 0, 0);
  grid->addWidget(alarmMode_, 0, 1, 1, 4);
  alarmChannelsLabel_ = Named(new QLabel("Каналы:", group), "LabSK");
  grid->addWidget(alarmChannelsLabel_, 1, 0);
  for (int c = 1; c <= 3; ++c) {
    auto* box = new QCheckBox(QString::number(c), group);
    box->setObjectName(QString("ChSK%1").arg(c));
    alarmChannels_[static_cast<std::size_t>(c - 1)] = box;
    grid->addWidget(box, 1, c);
  }
  grid->setColumnStretch(4, 1);
  contacts_ = group;
  return group;
}

QWidget* TerminationConfigWindow::BuildEthernetGroup(QWidget* parent) {
  auto* group = new QGroupBox("Ethernet", parent);
  auto* grid = new QGridLayout(group);
  ethernetBlocked_ = Named(new QCheckBox("Блокировать", group), "ChLockEth");
  grid->addWidget(ethernetBlocked_, 0, 0, 1, 2);
  const char* captions[] = {"IP", "Mask", "GW"};
  const char* names[] = {"EditIP", "EditMask", "EditGW"};
  for (std::size_t i = 0; i < addresses_.size(); ++i) {
    addressLabels_[i] = new QLabel(captions[i], group);
    addresses_[i] = Named(new QLineEdit(group), names[i]);
    grid->addWidget(addressLabels_[i], static_cast<int>(i) + 1, 0);
    grid->addWidget(addresses_[i], static_cast<int>(i) + 1, 1);
  }
  poe_ = Named(new QCheckBox("Включить PoE", group), "ChPoEen");
  transparent_ = Named(new QCheckBox("Прозрачный режим", group), "ChL2Eth");
  grid->addWidget(poe_, 4, 0, 1, 2);
  grid->addWidget(transparent_, 5, 0, 1, 2);
  ethernet_ = group;
  return group;
}

QWidget* TerminationConfigWindow::BuildRs232Group(QWidget* parent) {
  auto* group = new QGroupBox("RS-232", parent);
  rsRate_ = List(group, "cbRSRate", Rs232RateItems(0));
  rsParity_ = List(group, "cbRSPar", ParityItems());
  rsMode_ = List(group, "cbRSMode", Rs232ModeItems());
  rsStream_ = List(group, "cbRsStream", StreamModeItems());
  rsStreamRate_ = List(group, "cbRsStreamSZB", StreamRateItems());
  auto* stream = new QWidget(group);
  auto* streamRow = new QHBoxLayout(stream);
  streamRow->setContentsMargins(0, 0, 0, 0);
  streamRow->addWidget(rsStream_);
  streamRow->addWidget(rsStreamRate_);
  streamRow->addStretch(1);
  QGridLayout* grid = CaptionedRows(group, {{"Скорость", rsRate_}, {"Чётность", rsParity_}, {"Режим", rsMode_}});
  parityLabel_ = qobject_cast<QLabel*>(grid->itemAtPosition(1, 0)->widget());
  streamLabel_ = new QLabel("Данные:", group);
  grid->addWidget(streamLabel_, 3, 0);
  grid->addWidget(stream, 3, 1);
  rs232_ = group;
  return group;
}

}  // namespace varnel::ui
