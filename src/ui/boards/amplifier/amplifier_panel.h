#pragma once
// PanelAP "ТР-40": an amplifier's version, alarms, level and temperature, and
// the setting the write button sends (two amplifiers, alarm masks).

#include <QGroupBox>

#include "boards/board_requests.h"
#include "model/board_state.h"

class QCheckBox;
class QLabel;

namespace varnel::ui {

class AmplifierPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit AmplifierPanel(QWidget* parent = nullptr);

  void Show(const TBRDS& board);
  // The check boxes as the operator left them.
  AmplifierSetting Setting() const;

  QWidget* parameters = nullptr;  // PanelAPpar
  QLabel* info = nullptr;         // LabAPver
  QCheckBox* two = nullptr;       // ChAP2
  QWidget* masks = nullptr;       // PanlAPmask
  QCheckBox* maskA1 = nullptr;    // ChMaskAP1
  QCheckBox* maskA3 = nullptr;    // ChMaskAP3
  QCheckBox* maskA4 = nullptr;    // ChMaskAP4
};

}  // namespace varnel::ui
