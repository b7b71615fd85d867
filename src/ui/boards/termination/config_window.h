#pragma once
// TFSL: the modal window of a termination board's configuration ("Конфигурация
// СЛ30") or firmware update ("Обновление ПО СЛ30"). It shows the settings the
// board's version and modules allow and applies the window's rules from the
// core; reading, writing and updating are left to whoever takes its signals.

#include <QDialog>
#include <array>

#include "boards/termination/config_window_rules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace varnel::ui {

class ModuleRows;

class TerminationConfigWindow : public QDialog {
  Q_OBJECT
 public:
  // board: the selected board's record at opening (version, PoE bits, modules).
  TerminationConfigWindow(ConfigWindowMode mode, const TBRDS& board, QWidget* parent = nullptr);

  ConfigWindowMode mode() const { return mode_; }
  // Sets every setting in the order a read record is taken, running the
  // rules of the boxes and lists on the way.
  void SetForm(const TerminationConfigForm& form);
  TerminationConfigForm Form() const;

 signals:
  // "Чтение", and once when the window is first shown.
  void readRequested();
  // "Запись", and "Начать обновление" in firmware mode.
  void writeRequested();
  void restartRequested();  // "Перезапуск"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildSettingsPage(const TBRDS& board);
  QWidget* BuildModeGroup(QWidget* parent);
  QWidget* BuildBandGroup(QWidget* parent);
  QWidget* BuildAnalogGroup(QWidget* parent);
  QWidget* BuildContactsGroup(QWidget* parent);
  QWidget* BuildEthernetGroup(QWidget* parent);
  QWidget* BuildRs232Group(QWidget* parent);
  QWidget* BuildFirmwareGroup();
  QLayout* BuildButtons();
  void ConnectRules();

  void ChannelModeChanged();
  void EthernetClicked();
  void ServiceWidthExit();
  void Rs232ModeChanged();
  void StreamChanged();
  void BandChanged();
  void AlarmModeChanged();

  void SetEthernet(const TerminationConfigForm& form);
  void SetRs232(const TerminationConfigForm& form);
  void SetAlarm(const TerminationConfigForm& form);

  const ConfigWindowMode mode_;
  const ConfigGates gates_;
  bool shownOnce_ = false;

  QWidget* settings_ = nullptr;     // every settings group
  QWidget* firmware_ = nullptr;     // PanelFW
  QComboBox* channelMode_ = nullptr;  // cbModeSL
  QWidget* band_ = nullptr;           // the digital band group
  QSpinBox* serviceWidth_ = nullptr;  // EditHDLC_W
  QComboBox* codec_ = nullptr;        // cbG729rate
  QComboBox* voiceChannels_ = nullptr;  // cbNumCH
  QWidget* analog_ = nullptr;         // the analog settings group
  QSlider* bandSplit_ = nullptr;      // TrackFilt
  QLabel* bandLabel_ = nullptr;       // LabFilter
  QCheckBox* limiter_ = nullptr;      // chVoiceLimEn
  QWidget* contacts_ = nullptr;       // the alarm contact group
  QComboBox* alarmMode_ = nullptr;    // cbSKmode
  QLabel* alarmChannelsLabel_ = nullptr;  // LabSK
  std::array<QCheckBox*, 3> alarmChannels_{};  // ChSK1..3
  QWidget* ethernet_ = nullptr;
  QCheckBox* ethernetBlocked_ = nullptr;  // ChLockEth
  std::array<QLineEdit*, 3> addresses_{};  // EditIP, EditMask, EditGW
  std::array<QLabel*, 3> addressLabels_{};
  QCheckBox* poe_ = nullptr;          // ChPoEen
  QCheckBox* transparent_ = nullptr;  // ChL2Eth
  QWidget* rs232_ = nullptr;
  QComboBox* rsRate_ = nullptr;       // cbRSRate
  QLabel* parityLabel_ = nullptr;
  QComboBox* rsParity_ = nullptr;     // cbRSPar
  QComboBox* rsMode_ = nullptr;       // cbRSMode
  QLabel* streamLabel_ = nullptr;
  QComboBox* rsStream_ = nullptr;     // cbRsStream
  QComboBox* rsStreamRate_ = nullptr;  // cbRsStreamSZB
  ModuleRows* modules_ = nullptr;
  QPushButton* read_ = nullptr;       // ButRD
  QPushButton* write_ = nullptr;      // ButWR
};

}  // namespace varnel::ui
