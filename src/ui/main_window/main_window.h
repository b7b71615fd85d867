#pragma once
// TFmain: the main window. It owns the program's core and the UDP endpoint,
// runs the two timers of the main loop, forwards the operator's actions to
// the core and draws what the core records.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "access/access_modes.h"
#include "app/program.h"
#include "firmware/modem_image.h"
#include "boards/termination/config_record.h"
#include "boards/board_events.h"
#include "boards/request_sender.h"
#include "boards/termination/termination_events.h"
#include "netsettings/network_answer.h"
#include "network/polling_scheduler.h"

class QLabel;
class QMenu;
class QPushButton;
class QSplitter;

namespace varnel {
enum class ConfigWindowMode;
struct UpdateFileCheck;
}  // namespace varnel

namespace varnel::ui {

class AccessGuard;
class AccessPrompts;
class BoardColumn;
class BoardPages;
class DeviceTreeView;
class LogReadDialog;
class TerminationConfigWindow;
class Dialogs;
class PacedRefresh;
class StatusPanels;
class TestSender;
class TopBar;
class TraceMemo;
}  // namespace varnel::ui
namespace varnel::net {
class UdpEndpoint;
}  // namespace varnel::net
namespace varnel::ui {
using net::UdpEndpoint;

struct MainWindowOptions {
  QString settingsPath;          // read from here
  QString settingsSavePath;      // written here; settingsPath when empty
  QString settingsNote;          // traced at start-up (where the settings live)
  QString mapPath;               // the device map file
  QString startDir;              // working directory at start-up (current one when empty)
  QString viewerDir;             // holds sys/ with the log viewer (startDir when empty)
  QString handOffDir;            // the viewer's input file goes here (viewerDir's sys/ when empty)
  const Clock* clock = nullptr;  // system clock when null
  Dialogs* dialogs = nullptr;    // real message boxes when null
  QString manualPath;            // the user manual; "Help.pdf" beside the program when empty
  int recvIntervalMs = 150;
  int commonIntervalMs = 100;    // one tick counts as 100 ms whatever the real interval
};

class MainWindow : public QMainWindow,
                   private DiscoveryEvents,
                   private BoardPageEvents,
                   private TerminationViewEvents,
                   private AccessEvents,
                   private NetworkSettingsView {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  Program& program() { return *program_; }
  Link& link() { return program_->link; }
  UdpEndpoint& endpoint() { return *endpoint_; }
  bool debugMode() const { return program_->link.trace.debug(); }
  void setDebugMode(bool on);

  void StartEndpoint();
  void StopEndpoint();
  void RefreshClock();
  // Rebuilds the device tree from the registry.
  void BuildTree();
  // A click on the tree: the selected node becomes current.
  void DevTreeClick(int device, int channel);
  // The open-block / refresh-channel action of the menu and ButExplor.
  void ExploreCurrent();
  void DeleteCurrentDevice();
  void ToggleChannel(int channel);
  void SaveMapFile();
  // The peer button's address menu: filled as it opens; item k chosen
  // (0 asks for a new address) makes that block the root.
  void PopMenuIPPopup();
  void MenuNewIPClick(int item);

  // Boards: selection, the request hub, redrawing a board's page.
  enum class PageSender { Block, Modem, Termination, BlockPages };
  void ButBrdClick(int slot);
  void RefreshBoardPage(PageSender sender);
  void ButRDClick(RequestSender sender);
  // A confirmed write from the channel page or the counter reset: automatic
  // reading pauses while the question is open.
  void ButLoopSetClick(RequestSender sender);
  // The event log page: read every row, save, hand to the log viewer.
  void ReadWholeLog();
  // The termination board window: its configuration read from the board.
  void ReadTerminationConfig(TerminationConfigWindow* window);
  void WriteTerminationConfig(TerminationConfigWindow* window);
  // Its firmware page: the update file checked, chosen, written.
  void CheckTerminationUpdate(TerminationConfigWindow* window);
  void ChooseTerminationUpdate(TerminationConfigWindow* window);
  void StartTerminationUpdate(TerminationConfigWindow* window);
  // The modem board's firmware page: the stored path of the kind chosen,
  // a file chosen, a transfer after its question.
  void ShowModemProgramPath();
  void ChooseModemProgram();
  void StartModemFirmware();
  // The restart command to the selected board, after its question.
  void SendRestart(QWidget* parent);
  void SaveLogClick();
  void LogViewClick();
  // The access-mode button (Shift as it was when pressed) and the mode itself.
  void ButUSRClick();
  const AccessModes& access() const { return *access_; }
  // The about window, modal, at a fixed offset from this window.
  void ShowAbout();
  // Automatic reading: the box is shown only where it makes sense.
  bool AutoReadAllowedNow() const;
  void UpdateAutoReadBox();
  std::uint8_t autoReadPeriod() const { return scheduler_->autoReadPeriod(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // DiscoveryEvents
  void DeviceAdded(int device) override;
  void DeviceNameKnown(int device) override;
  void BlockOpened(int device) override;
  // BoardPageEvents
  void OpenBoardPage(int device, int slot) override;
  void ApplyRateLimits() override;
  void AppendMemoLine(std::string_view line) override;
  // TerminationViewEvents
  void ShowSubchannelState(int device, int slot, const SubchannelState& state, const std::string& counters) override;
  void ShowAnalogLevel(const std::string& text) override;
  void ShowLoopState(const std::string& caption) override;
  // AccessEvents
  void ModeEntered(bool admin) override;
  void PasswordChanged(const std::string& storedText) override;
  void LoadAccessMode();
  // NetworkSettingsView
  void ShowNetworkSettings(int device, const NetworkSettings& settings) override;

  void ConnectBoardControls();
  void ConnectLogControls();
  void ConnectModemFirmwareControls();
  std::string& ModemProgramPath(ModemFirmwareKind kind);
  void ShowVK(int device, int slot);
  void ChannelShowBoxClick();
  // ButCFG_SL and ButSL_FW: the selected termination board's window.
  void OpenTerminationWindow(ConfigWindowMode mode);

  void BuildLayout();
  QWidget* BuildBlockGroup(QWidget* parent);
  void BuildTreeMenu();
  void BuildDebugButtons(QWidget* parent);
  void StartUp();
  void ApplyWindowGeometry();
  void ApplyMemoHeight();
  void AlignTopBar();
  void SaveSettingsFile();
  void onDatagrams();
  void ReportSystemLosses();
  void drainQueue();
  void showCommandStatus();
  void ApplyAutoReadPeriod();
  void ShowTreeMenu(const QPoint& pos, int device, int channel);

  MainWindowOptions options_;
  std::unique_ptr<Clock> ownClock_;
  std::unique_ptr<Dialogs> ownDialogs_;
  Dialogs* dialogs_ = nullptr;
  UdpEndpoint* endpoint_ = nullptr;
  std::unique_ptr<Program> program_;
  LoadResult loaded_;  // how far the settings file was read at start-up
  std::unique_ptr<PollingScheduler> scheduler_;
  AccessGuard* guard_ = nullptr;
  std::unique_ptr<AccessPrompts> accessPrompts_;
  std::unique_ptr<AccessModes> access_;
  bool usrShift_ = false;  // Shift was held when ButUSR went down

  TopBar* topBar_ = nullptr;
  DeviceTreeView* tree_ = nullptr;
  QSplitter* leftSplitter_ = nullptr;
  QLabel* panelDev_ = nullptr;
  QPushButton* butExplor_ = nullptr;
  QWidget* panDevPar_ = nullptr;
  BoardColumn* boards_ = nullptr;
  BoardPages* pages_ = nullptr;
  QMenu* treeMenu_ = nullptr;
  LogReadDialog* logDialog_ = nullptr;
  std::optional<TerminationConfig> terminationRead_;  // the record last read, for the next write
  // A flash job prepared on the session, run in its progress window; true when it finished.
  bool RunFlashSession(FlashMode mode, QWidget* parent);
  void ShowUpdateCheck(TerminationConfigWindow* window, const UpdateFileCheck& check);
  QAction* explorCh_ = nullptr;
  std::array<QAction*, 3> menuShowCh_{};
  QAction* menuDelDev_ = nullptr;
  std::vector<QWidget*> debugOnly_;
  QLabel* labAns_ = nullptr;
  TestSender* testSender_ = nullptr;
  TraceMemo* memo_ = nullptr;
  QSplitter* bottomSplitter_ = nullptr;
  StatusPanels* status_ = nullptr;
  QTimer timerRecv_;
  QTimer timerCommon_;
  bool drainScheduled_ = false;
  std::uint32_t lostReported_ = 0;  // the endpoint's system drops already traced
  static constexpr int kAnswerLabelMs = 40;
  static constexpr int kAnswerLabelLatestMs = 100;
  PacedRefresh* answerLabel_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace varnel::ui
