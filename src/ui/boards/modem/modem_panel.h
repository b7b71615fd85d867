#pragma once
// PanelVK: the modem board's page set. Pages are built here; the main window
// decides what a page change reads.

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace varnel::ui {

class ModemChannelPage;
class ModemConfigPage;
class ModemFirmwarePage;
class ModemLogPage;

class ModemPanel : public QGroupBox {
  Q_OBJECT
 public:
  enum Page { kDump = 0, kConfig = 1, kChannels = 2, kLog = 3, kFirmware = 4 };

  explicit ModemPanel(QWidget* parent = nullptr);

  Page page() const;
  // Switches pages without it counting as the operator's page change.
  void showPageQuietly(Page page);
  void setDumpPageVisible(bool on);

  QTabWidget* tabs = nullptr;  // TabsVK
  ModemConfigPage* config = nullptr;
  ModemChannelPage* channels = nullptr;
  ModemLogPage* log = nullptr;
  ModemFirmwarePage* firmware = nullptr;
  QLineEdit* dumpAddress = nullptr;  // EditVKaddr
  QLineEdit* dumpLength = nullptr;   // EditVKlen
  QLabel* version = nullptr;         // LabVerVK
  QPushButton* readVersion = nullptr;  // ButVerVK

 signals:
  void pageChanged();
};

}  // namespace varnel::ui
