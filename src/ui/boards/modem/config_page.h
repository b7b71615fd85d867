#pragma once
// "Конфигурирование": the modem board's common levels and, per HF channel,
// enable, frequencies, mode and the digital-mode settings. Editors are loaded
// from the stored configuration once per read; what the operator types is
// coloured by validity and survives redraws.

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace varnel {
struct TStructDev;
struct ModemEditorValues;
}  // namespace varnel

namespace varnel::ui {

class DecimalEdit;
class Indicator;

class ModemConfigPage : public QWidget {
  Q_OBJECT
 public:
  struct ChannelEditors {
    QCheckBox* enable = nullptr;   // ChTXen
    QWidget* panel = nullptr;      // PanSetsCh
    QSpinBox* txFreq = nullptr;    // EditFTX
    QSpinBox* rxFreq = nullptr;    // EditFRX
    QComboBox* mode = nullptr;     // cbMode
    QWidget* digital = nullptr;    // PanDigMode
    QSpinBox* noise = nullptr;     // EditNoise
    DecimalEdit* rateMin = nullptr;  // edRXrate
    DecimalEdit* rateMax = nullptr;  // edRXrateMax
    QCheckBox* eoc = nullptr;      // chMonEoc
  };

  explicit ModemConfigPage(QWidget* parent = nullptr);

  // Copies what device's board answered into the editors, once per read;
  // colours the read marks.
  void Show(TStructDev& dev, int device, std::uint8_t ver1);
  // Greys the parts whose answer the last click did not get, the tooltip
  // saying so: [0] the common settings, [c] channel c; others back to normal.
  void MarkNotRefreshed(const std::array<bool, 4>& stale);
  // Another board is selected: the editors no longer hold this board's
  // configuration, and what depends on its version hides until it answers.
  void Forget();
  // The editors as the write requests need them.
  ModemEditorValues Values() const;
  // Limits and colours of the rate editors follow the board's MCU version.
  void SetVersion(std::uint8_t ver1);
  void HideAggregation();

  DecimalEdit* txLevel = nullptr;  // EditTXlvl
  DecimalEdit* rxLevel = nullptr;  // EditRXlvl
  DecimalEdit* agc = nullptr;      // EditARUlvl
  QComboBox* aggr = nullptr;       // cbVK_aggr
  QLabel* labAggr = nullptr;       // LabVK_Aggr
  Indicator* readMark = nullptr;   // shRW_HFcfg
  std::array<ChannelEditors, 3> channels;

 private:
  QWidget* BuildCommon();
  QWidget* BuildChannels();
  void BuildChannel(int c, QWidget* grid);
  int ChannelLeft(int c) const;
  void Validate(DecimalEdit* edit);
  std::uint8_t ver1_ = 0;
  int commonFrom_ = 0;                 // device whose common settings the editors hold
  std::array<int, 3> channelFrom_{};  // likewise per channel
  int captionWidth_ = 274;
};

}  // namespace varnel::ui
