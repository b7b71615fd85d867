#include "ui/main_window/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/map_file.h"
#include "ui/about/about_window.h"
#include "ui/access/access_guard.h"
#include "ui/access/access_prompts.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/main_window/board_column.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/status_panels.h"
#include "ui/main_window/test_sender.h"
#include "ui/main_window/top_bar.h"
#include "net_qt/udp_endpoint.h"
#include "ui/tree/view.h"
#include "ui/widgets/names.h"
#include "ui/widgets/paced_refresh.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/trace_memo.h"
#include "wire/atomic_file.h"

namespace varnel::ui {

namespace {
constexpr int kTreeWidth = 177;
constexpr int kDebugMemoHeight = 200;
// Datagrams taken off the socket per read event: four queues full.
constexpr int kDatagramsPerReadEvent = 4 * ReceiveQueue::kSlots;
}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName("TFmain");
  if (options_.clock == nullptr) {
    ownClock_ = std::make_unique<SystemClock>();
    options_.clock = ownClock_.get();
  }
  if (options_.dialogs == nullptr) ownDialogs_ = std::make_unique<Dialogs>();
  dialogs_ = options_.dialogs != nullptr ? options_.dialogs : ownDialogs_.get();
  if (options_.settingsSavePath.isEmpty()) options_.settingsSavePath = options_.settingsPath;
  if (options_.startDir.isEmpty()) options_.startDir = QDir::currentPath();
  if (options_.manualPath.isEmpty()) options_.manualPath = QCoreApplication::applicationDirPath() + "/Help.pdf";
  guard_ = new AccessGuard(this);
  accessPrompts_ = std::make_unique<AccessPrompts>(*dialogs_, this);
  access_ = std::make_unique<AccessModes>(*accessPrompts_, static_cast<AccessEvents&>(*this));
  if (options_.viewerDir.isEmpty()) options_.viewerDir = options_.startDir;

  endpoint_ = new UdpEndpoint(this);
  program_ = std::make_unique<Program>(*options_.clock, *endpoint_, static_cast<DiscoveryEvents&>(*this),
                                       static_cast<BoardPageEvents&>(*this),
                                       static_cast<TerminationViewEvents&>(*this));
  scheduler_ = std::make_unique<PollingScheduler>(PollingScheduler::Actions{
      [this] { RefreshClock(); },
      [this] { program_->exploration.AutoStateStep(); },
      [this] { return AutoReadAllowedNow(); },
      [this] { ButRDClick(RequestSender::ButRD); },
      [this] { return link().request.writeAwaited(); },
  });

  BuildLayout();
  program_->setNetworkSettingsView(static_cast<NetworkSettingsView*>(this));
  link().trace.setSink(memo_);
  link().status.onChange = [this] { showCommandStatus(); };
  // The answer label is a selectable label: each new text lays out the whole
  // window again. At the rate of a firmware transfer that cost would set the
  // pace, so the label shows the latest answer once per kAnswerLabelMs.
  answerLabel_ = new PacedRefresh(kAnswerLabelMs, kAnswerLabelLatestMs,
                                  [this] { labAns_->setText(Q(link().dispatcher.answerLabel())); }, this);
  link().dispatcher.onAnswerLabel = [this] { answerLabel_->request(); };

  timerRecv_.setInterval(options_.recvIntervalMs);
  connect(&timerRecv_, &QTimer::timeout, this, &MainWindow::drainQueue);
  timerCommon_.setInterval(options_.commonIntervalMs);
  connect(&timerCommon_, &QTimer::timeout, this, [this] {
    scheduler_->Tick();
    ReportSystemLosses();
    // Answers overdue: the status names them, the page greys what they did not refresh.
    if (link().dispatcher.SettleAwaited()) OpenBoardPage(link().request.currentDevice, link().request.selectedSlot);
  });
  connect(endpoint_, &UdpEndpoint::readyRead, this, &MainWindow::onDatagrams);

  StartUp();
}

MainWindow::~MainWindow() { link().trace.setSink(nullptr); }

void MainWindow::BuildLayout() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  topBar_ = new TopBar(central);
  topBar_->butIP->installEventFilter(this);
  topBar_->butUSR->installEventFilter(this);
  connect(topBar_->butUSR, &QPushButton::clicked, this, &MainWindow::ButUSRClick);
  connect(topBar_->butHelp, &QPushButton::clicked, this, &MainWindow::ShowAbout);
  connect(topBar_->butIP, &QPushButton::clicked, this,
          [this] { topBar_->popMenuIP->popup(pos() + QPoint(24, 64)); });
  connect(topBar_->popMenuIP, &QMenu::aboutToShow, this, &MainWindow::PopMenuIPPopup);
  for (std::size_t k = 0; k < topBar_->ipItems.size(); ++k) {
    connect(topBar_->ipItems[k], &QAction::triggered, this, [this, k] { MenuNewIPClick(static_cast<int>(k)); });
  }
  connect(topBar_->butStartStop, &QPushButton::clicked, this, [this](bool down) {
    if (down) {
      StopEndpoint();
    } else {
      StartEndpoint();
    }
    topBar_->butStartStop->setText(down ? "Остановлен" : "Активен");
  });
  connect(topBar_->chAutoRD, &QCheckBox::toggled, this, [this](bool on) {
    topBar_->editAutoRefr->setVisible(on);
    ApplyAutoReadPeriod();
  });
  connect(topBar_->editAutoRefr, &QSpinBox::valueChanged, this, &MainWindow::ApplyAutoReadPeriod);
  column->addWidget(topBar_);

  bottomSplitter_ = Named(new QSplitter(Qt::Vertical, central), "SplitterBot");
  leftSplitter_ = Named(new QSplitter(Qt::Horizontal, bottomSplitter_), "SplitterL");
  auto* left = Named(new QWidget(leftSplitter_), "PanLeft");
  auto* leftColumn = new QVBoxLayout(left);
  leftColumn->setContentsMargins(0, 0, 0, 0);
  tree_ = new DeviceTreeView(left);
  connect(tree_, &DeviceTreeView::nodeClicked, this, &MainWindow::DevTreeClick);
  connect(tree_, &DeviceTreeView::contextMenuAt, this, &MainWindow::ShowTreeMenu);
  auto* saveMap = Named(new QPushButton("Сохранить карту", left), "ButSaveMap");
  saveMap->setToolTip("Записать карту сети в map.ini");
  connect(saveMap, &QPushButton::clicked, this, &MainWindow::SaveMapFile);
  leftColumn->addWidget(tree_, 1);
  leftColumn->addWidget(saveMap);
  leftSplitter_->addWidget(left);
  leftSplitter_->addWidget(BuildBlockGroup(leftSplitter_));
  leftSplitter_->setStretchFactor(1, 1);
  leftSplitter_->setSizes({kTreeWidth, 800});
  connect(leftSplitter_, &QSplitter::splitterMoved, this, &MainWindow::AlignTopBar);

  memo_ = new TraceMemo(bottomSplitter_);
  bottomSplitter_->addWidget(leftSplitter_);
  bottomSplitter_->addWidget(memo_);
  bottomSplitter_->setStretchFactor(0, 1);
  column->addWidget(bottomSplitter_);
  setCentralWidget(central);

  status_ = new StatusPanels(this);
  setStatusBar(status_);
  BuildTreeMenu();
  ConnectBoardControls();
}

QWidget* MainWindow::BuildBlockGroup(QWidget* parent) {
  auto* group = Named(new QGroupBox("Информация о блоке", parent), "GroupBlockInfo");
  auto* column = new QVBoxLayout(group);

  auto* header = new QHBoxLayout;
  panelDev_ = Named(new QLabel(group), "PanelDEV");
  panelDev_->setWordWrap(true);
  butExplor_ = Named(new QPushButton(group), "ButExplor");
  butExplor_->hide();
  connect(butExplor_, &QPushButton::clicked, this, &MainWindow::ExploreCurrent);
  header->addWidget(panelDev_, 1);
  header->addWidget(butExplor_);
  column->addLayout(header);

  panDevPar_ = Named(new QWidget(group), "PanDevPar");
  auto* row = new QHBoxLayout(panDevPar_);
  row->setContentsMargins(0, 0, 0, 0);
  boards_ = new BoardColumn(panDevPar_);
  pages_ = new BoardPages(panDevPar_);
  connect(pages_->modem, &ModemPanel::pageChanged, this, &MainWindow::UpdateAutoReadBox);
  row->addWidget(boards_);
  row->addWidget(pages_, 1);
  panDevPar_->hide();  // until a block answers
  column->addWidget(panDevPar_, 1);

  BuildDebugButtons(group);
  testSender_ = new TestSender(group);
  connect(testSender_, &TestSender::sendRequested, this,
          [this](const QByteArray& bytes) { link().send.SendDatagram(Bytes(bytes.begin(), bytes.end())); });
  labAns_ = Named(new QLabel(group), "LabAns");
  labAns_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long answer (an event log batch) is cut at the edge, not widening the window.
  labAns_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  column->addWidget(testSender_, 0, Qt::AlignLeft);
  column->addWidget(labAns_);
  debugOnly_.push_back(testSender_);
  debugOnly_.push_back(topBar_->butStartStop);
  return group;
}

void MainWindow::BuildDebugButtons(QWidget* parent) {
  auto* row = new QHBoxLayout;
  auto* add = Named(new QPushButton("Тест: 100 блоков", parent), "ButADD");
  connect(add, &QPushButton::clicked, this, [this] {
    program_->discovery.FillTestTopology();
    BuildTree();
  });
  auto* testAdd = Named(new QPushButton("Тест: узлы", parent), "ButTestadd");
  connect(testAdd, &QPushButton::clicked, this, [this] { tree_->AddTestNodes(); });
  auto* test = Named(new QPushButton("Тест", parent), "ButTest");
  for (auto* b : {add, testAdd, test}) {
    row->addWidget(b);
    debugOnly_.push_back(b);
  }
  row->addStretch(1);
  static_cast<QBoxLayout*>(parent->layout())->addLayout(row);
}

void MainWindow::StartUp() {
  // Run-time state starts clean; the built-in peer and port hold until the
  // settings file says otherwise.
  program_->exploration.Reset();
  link().queue.clear();
  scheduler_->Reset();
  link().trace.setDebug(false);
  for (QWidget* w : debugOnly_) w->hide();
  ApplyMemoHeight();

  RefreshClock();
  AppSettings& s = program_->settings;
  s = AppSettings{};
  if (!options_.settingsNote.isEmpty()) link().trace.Trace(options_.settingsNote.toStdString(), 1);
  setWindowTitle(QString(kProgramName) + " " + kProgramVersion);
  RemoveStaleSaveFiles(options_.settingsSavePath.toStdString());
  loaded_ = LoadSettings(options_.settingsPath.toStdString(), s, link().trace);
  link().settings.peerIp = s.peerIp;
  link().settings.serverPort = s.serverPort;
  program_->exploration.setLimit(s.autoFind);
  ShowModemProgramPath();
  ApplyWindowGeometry();
  LoadAccessMode();

  link().registry.Clear();
  BuildTree();
  StartEndpoint();
  AlignTopBar();
  UpdateAutoReadBox();
  timerRecv_.start();
  timerCommon_.start();
}

void MainWindow::ApplyWindowGeometry() {
  WindowGeometry g = program_->settings.window;
  if (const QScreen* screen = this->screen()) {
    // The rule compares with the whole screen, panels included.
    const QSize size = screen->geometry().size();
    g = ClampToScreen(FitToScreen(g, size.width(), size.height()), size.width(), size.height());
  }
  resize(g.width, g.height);
  move(g.left, g.top);
}

void MainWindow::SaveSettingsFile() {
  AppSettings& s = program_->settings;
  s.peerIp = link().settings.peerIp;
  s.window = {width(), height(), x(), y()};
  // Failures are not the operator's problem; a file read only in part is
  // kept as it is (the trace says so).
  SaveSettingsAtShutdown(options_.settingsSavePath.toStdString(), s, loaded_, link().trace);
}

void MainWindow::SaveMapFile() {
  SaveMap(options_.mapPath.toStdString(), link().settings.peerIp, link().registry, link().trace);
}

void MainWindow::StartEndpoint() {
  // Port 0 would let the system pick one nobody knows: the default instead.
  const std::uint16_t configured = link().settings.serverPort;
  const std::uint16_t first = configured != 0 ? configured : UdpEndpoint::kDefaultPort;
  const std::uint16_t port = endpoint_->start(first);
  lostReported_ = 0;
  if (port == 0) {
    status_->setPanel(2, QString("UDP:%1 занят").arg(first));
    dialogs_->warning(this, QString("Порты заняты %1..%2").arg(first).arg(UdpEndpoint::lastPortTried(first)));
  } else {
    link().settings.serverPort = port;
    status_->setPanel(2, QString("UDP:%1->%2").arg(port).arg(kDevicePort));
    if (port != first) {
      dialogs_->warning(this, QString("Настроенный порт занят, старт программы на порту: %1").arg(port));
    }
  }
  topBar_->butIP->setText(Q(link().settings.peerIp));
}

void MainWindow::StopEndpoint() {
  endpoint_->stop();
  status_->setPanel(2, "UDP сервер остановлен");
}

void MainWindow::RefreshClock() {
  link().trace.RefreshClock();
  if (status_ == nullptr) return;
  status_->setPanel(3, Q(link().ClockPanelText()));
  status_->setPanel(1, Q(link().TrafficPanelText()));
}

void MainWindow::onDatagrams() {
  // Queue now, dispatch later: a drain is posted to run right after this
  // event returns, so answers are not held back until the next 150 ms tick.
  // A full queue leaves the rest with the endpoint until the drain made room:
  // a read event may come before the posted drain has run.
  // Datagrams of other senders never fill the queue, so a flood of them
  // alone would keep this loop reading for as long as it lasts; after a
  // budget the rest waits for the next read event, and timers and painting
  // get their turn in between.
  int budget = kDatagramsPerReadEvent;
  endpoint_->readPending([this, &budget] { return budget-- > 0 && link().queue.count() < ReceiveQueue::kSlots; },
                         [this](const std::uint8_t* data, std::size_t n, std::string_view ip, std::uint16_t port) {
                           link().Receive(data, n, ip, port);
                         });
  if (!drainScheduled_) {
    drainScheduled_ = true;
    QTimer::singleShot(0, this, &MainWindow::drainQueue);
  }
}

// A flood heavier than the program can read overflows the system's buffer;
// what it dropped (any sender's) is counted in the trace once per tick.
void MainWindow::ReportSystemLosses() {
  const std::uint32_t lost = endpoint_->lostInSystem();
  if (lost == lostReported_) return;
  link().trace.Trace("Udp err lost " + std::to_string(lost - lostReported_), 1);
  lostReported_ = lost;
}

void MainWindow::drainQueue() {
  drainScheduled_ = false;
  link().Drain();
  if (endpoint_->hasPending()) onDatagrams();
}

bool MainWindow::AutoReadAllowedNow() const {
  const RequestState& r = program_->link.request;
  const bool modemChannels = pages_->modem->page() == ModemPanel::kChannels;
  if (!program_->link.registry.inUse(r.currentDevice) || r.selectedSlot < 1) return false;
  const TBRDS& board = program_->link.registry.device(r.currentDevice).board(r.selectedSlot);
  return AutoReadAllowed(r.selectedSlot, modemChannels, board.Ver1, board.Ver2);
}

void MainWindow::UpdateAutoReadBox() {
  if (AutoReadAllowedNow()) {
    topBar_->chAutoRD->show();
  } else {
    topBar_->chAutoRD->setChecked(false);
    topBar_->chAutoRD->hide();
  }
}

void MainWindow::ApplyAutoReadPeriod() {
  const int value = topBar_->editAutoRefr->value();
  if (!topBar_->chAutoRD->isChecked()) {
    scheduler_->setAutoReadPeriod(0);
  } else if (value >= 1 && value <= 60) {
    scheduler_->setAutoReadPeriod(static_cast<std::uint8_t>(value));
  }
}

void MainWindow::showCommandStatus() {
  topBar_->labRWstat->setText(Q(link().status.text()));
  topBar_->labRWstat->setStyleSheet(ColourCss(link().status.colour()));
}

void MainWindow::setDebugMode(bool on) {
  link().trace.setDebug(on);
  if (on) link().trace.Trace("Debug on", 0);
  for (QWidget* w : debugOnly_) w->setVisible(on);
  pages_->SetDebugPagesVisible(on);
  ApplyMemoHeight();
}

void MainWindow::ApplyMemoHeight() {
  const int memo = debugMode() ? kDebugMemoHeight : 1;
  bottomSplitter_->setSizes({std::max(1, bottomSplitter_->height() - memo), memo});
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    leftSplitter_->setSizes({kTreeWidth, std::max(1, leftSplitter_->width() - kTreeWidth)});
  }
  ApplyMemoHeight();  // the splitters have their real sizes only now
  AlignTopBar();
}

void MainWindow::AlignTopBar() { topBar_->AlignWith(leftSplitter_->sizes().at(0), BoardColumn::kWidth); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == topBar_->butUSR && event->type() == QEvent::MouseButtonPress) {
    usrShift_ = (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier) != 0;
  }
  if (watched == topBar_->butIP && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto both = Qt::ShiftModifier | Qt::ControlModifier;
    if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & both) == both) {
      setDebugMode(!debugMode());
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  StopEndpoint();  // before anything is saved
  SaveSettingsFile();
  QMainWindow::closeEvent(event);
}

}  // namespace varnel::ui
