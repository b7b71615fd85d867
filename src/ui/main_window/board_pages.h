#pragma once
// PanBrdsParams: one panel per board kind, of which only the selected
// board's is shown; the block parameters when the block itself is selected.

#include <QStackedWidget>

class QTabWidget;

namespace varnel::ui {

class AmplifierPanel;
class BlockParamsPanel;
class ModemPanel;
class TerminationPanel;

class BoardPages : public QStackedWidget {
  Q_OBJECT
 public:
  explicit BoardPages(QWidget* parent = nullptr);

  // Shows the panel of a slot: 0 block, 1..3 termination, 4 modem, 6/8 amplifier.
  void ShowSlot(int slot);
  void SetDebugPagesVisible(bool on);

  BlockParamsPanel* blockParams = nullptr;
  ModemPanel* modem = nullptr;
  TerminationPanel* termination = nullptr;
  QTabWidget* tabsSL = nullptr;
  AmplifierPanel* amplifier = nullptr;
  QWidget* emptyPanel = nullptr;
};

}  // namespace varnel::ui
