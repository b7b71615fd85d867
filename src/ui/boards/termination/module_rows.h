#pragma once
// "Голосовые модули": one row of settings per module position, built from
// the module types the board reported. The rows live as long as the window.

#include <QGroupBox>
#include <array>

#include "boards/termination/config_window_rules.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace varnel::ui {

class ModuleRows : public QGroupBox {
  Q_OBJECT
 public:
  ModuleRows(const TBRDS& board, const ConfigGates& gates, QWidget* parent = nullptr);

  // i is 0..2; a list index the list does not hold selects nothing.
  void SetModule(int i, const ModuleForm& form);
  ModuleForm Module(int i) const;

  struct Row {
    QLabel* label = nullptr;     // LabModN
    QComboBox* tx = nullptr;     // cbLvlTXN
    QComboBox* rx = nullptr;     // cbLvlRXN
    QComboBox* mode = nullptr;   // cbModModeN
    QCheckBox* echo = nullptr;   // chECenN
    QCheckBox* lock = nullptr;   // ChLockModN
  };

 private:
  Row BuildRow(int n, const ModuleRowView& view);
  void LockClicked(const Row& row);

  std::array<Row, 3> rows_{};
};

}  // namespace varnel::ui
