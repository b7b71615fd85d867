#pragma once
// PanParBlock "Параметры блока": the block's attributes (name, ID) and its
// network settings. The requests behind them come with the block settings.

#include <QGroupBox>

#include "netsettings/block_request.h"
#include "netsettings/network_answer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace varnel::ui {

class BlockParamsPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit BlockParamsPanel(QWidget* parent = nullptr);

  void ShowAttributes(const QString& name, int id);
  void ClearNetworkFields();
  void ShowNetworkSettings(const NetworkSettings& settings);
  // The controls as typed, for the request of the active page.
  BlockForm Form() const;
  // What a request just built makes of the controls.
  void Apply(const BlockRequest& built);

  QTabWidget* tabs = nullptr;
  QLineEdit* editName = nullptr;
  QComboBox* cbID = nullptr;
  QLineEdit *editIP = nullptr, *editMask = nullptr, *editGW = nullptr, *editVLAN = nullptr, *editMAC = nullptr;
  QWidget *panMaskGW = nullptr, *panSNMP = nullptr;
  QLabel* labMAC = nullptr;
  QCheckBox* chSNMPen = nullptr;
  QWidget* panSnmp2 = nullptr;  // address and community, shown while the box is ticked
  QLineEdit *editSnmpIP = nullptr, *editSnmpComm = nullptr;
};

}  // namespace varnel::ui
