#pragma once
// PanParBlock "Параметры блока": the block's attributes (name, ID) and its
// network settings. The requests behind them come with the block settings.

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace varnel::ui {

class BlockParamsPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit BlockParamsPanel(QWidget* parent = nullptr);

  void ShowAttributes(const QString& name, int id);
  void ClearNetworkFields();

  QTabWidget* tabs = nullptr;
  QLineEdit* editName = nullptr;
  QComboBox* cbID = nullptr;
  QLineEdit *editIP = nullptr, *editMask = nullptr, *editGW = nullptr, *editVLAN = nullptr, *editMAC = nullptr;
  QWidget *panMaskGW = nullptr, *panSNMP = nullptr;
};

}  // namespace varnel::ui
