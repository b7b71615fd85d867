#pragma once
// PanelSL "СЛ-30": a termination board's settings page (version, modules,
// alarm contacts) and its subchannel page (bar diagram, counters, analog
// level), drawn from the records and the last subchannel-state answer.

#include <QGroupBox>

#include "boards/termination/subchannel_state.h"
#include "model/board_state.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace varnel::ui {

class Indicator;
class SubchannelDiagram;

class TerminationPanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit TerminationPanel(QWidget* parent = nullptr);

  void ShowBoardInfo(const TBRDS& board);
  void ShowSubchannelState(const SubchannelState& state, const std::string& counters);
  void ShowAnalogLevel(const std::string& text);
  void ShowLoopState(const std::string& caption);
  // A block was just opened: "--" until the boards answer.
  void Reset();

  QTabWidget* tabs = nullptr;  // TABS_SL
  QLabel* version = nullptr;   // LabVerSL
  QLabel* modules = nullptr;   // LabModsSL
  QWidget* contacts = nullptr;  // SLPanelDats
  Indicator* input = nullptr;   // shDat
  Indicator* output = nullptr;  // shREL
  QPushButton* configure = nullptr;  // ButCFG_SL
  QPushButton* firmware = nullptr;   // ButSL_FW
  QWidget* digital = nullptr;   // PanSL_dig
  QWidget* analog = nullptr;    // PanSL_An
  QLabel* analogLevel = nullptr;  // LabAnalog
  SubchannelDiagram* bars = nullptr;
  QLabel* counters = nullptr;   // LabRateSL
  QPushButton* clear = nullptr;  // ButSLClear
  QPushButton* loop = nullptr;   // ButSLloop

 private:
  QWidget* BuildInfoPage();
  QWidget* BuildStatePage();
};

}  // namespace varnel::ui
