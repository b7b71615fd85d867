#pragma once
// TabVK_FW: the modem board's "Обновление ПО" page: the version read back,
// the program file of the chosen kind, the start of a transfer and the
// board restart. The main window fills and answers it.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varnel::ui {

class ModemFirmwarePage : public QWidget {
  Q_OBJECT
 public:
  explicit ModemFirmwarePage(QWidget* parent = nullptr);

  // The stored path of the kind chosen, shown in the field and as the hint.
  void ShowPath(const QString& path);
  bool mcuChosen() const;

  QLabel* version = nullptr;        // LabVerVK
  QPushButton* readVersion = nullptr;  // ButVerVK
  QComboBox* kind = nullptr;        // cbFwCpuFpga
  QLineEdit* fileName = nullptr;    // EditFileNameVK
  QPushButton* openFile = nullptr;  // ButOpenFileVK
  QPushButton* start = nullptr;     // ButVKFwStart
  QPushButton* restart = nullptr;   // ButRstVK
};

}  // namespace varnel::ui
