#include "main_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "dialogs.h"
#include "settings/link_settings_file.h"
#include "status_panels.h"
#include "test_sender.h"
#include "trace_memo.h"
#include "udp_endpoint.h"

namespace varnel::ui {

namespace {

constexpr int kTopBarHeight = 65;
constexpr int kConnectionPanelWidth = 177;
constexpr int kDebugMemoHeight = 200;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Colours are kept as 0xBBGGRR.
QString ColourCss(std::uint32_t bgr) {
  return QString("color: rgb(%1, %2, %3);").arg(bgr & 0xFF).arg((bgr >> 8) & 0xFF).arg((bgr >> 16) & 0xFF);
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  setObjectName("TFmain");
  setWindowTitle("KT90-Varnel Monitor (Конфигуратор) v.1.43 211222");
  if (options_.clock == nullptr) {
    ownClock_ = std::make_unique<SystemClock>();
    options_.clock = ownClock_.get();
  }
  if (options_.dialogs == nullptr) ownDialogs_ = std::make_unique<Dialogs>();
  dialogs_ = options_.dialogs != nullptr ? options_.dialogs : ownDialogs_.get();

  endpoint_ = new UdpEndpoint(this);
  link_ = std::make_unique<Link>(*options_.clock, *endpoint_, handlers_);

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  buildTopBar(central);
  buildBody(central);
  setCentralWidget(central);
  status_ = new StatusPanels(this);
  setStatusBar(status_);

  memo_->setObjectName("Memolog");
  link_->trace.setSink(memo_);
  link_->status.onChange = [this] { showCommandStatus(); };
  link_->dispatcher.onAnswerLabel = [this] { labAns_->setText(Q(link_->dispatcher.answerLabel())); };

  timerRecv_.setObjectName("TimerRecv");
  timerRecv_.setInterval(options_.recvIntervalMs);
  connect(&timerRecv_, &QTimer::timeout, this, &MainWindow::drainQueue);
  timerCommon_.setObjectName("TimerCommon");
  timerCommon_.setInterval(options_.commonIntervalMs);
  connect(&timerCommon_, &QTimer::timeout, this, &MainWindow::onCommonTick);
  connect(endpoint_, &UdpEndpoint::readyRead, this, &MainWindow::onDatagrams);

  resize(1008, 735);
  StartUp();
}

MainWindow::~MainWindow() { link_->trace.setSink(nullptr); }

void MainWindow::buildTopBar(QWidget* parent) {
  auto* top = new QWidget(parent);
  top->setObjectName("PanTop");
  top->setFixedHeight(kTopBarHeight);
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(2, 2, 2, 2);

  auto* connection = new QWidget(top);
  connection->setObjectName("PanTopButIP");
  connection->setFixedWidth(kConnectionPanelWidth);
  auto* connectionRow = new QHBoxLayout(connection);
  connectionRow->setContentsMargins(0, 0, 0, 0);
  butIP_ = new QPushButton(connection);
  butIP_->setObjectName("ButIP");
  butIP_->setToolTip("Подключиться к другому блоку");
  butIP_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  butIP_->installEventFilter(this);
  butStartStop_ = new QPushButton("Активен", connection);
  butStartStop_->setObjectName("ButStartStop");
  butStartStop_->setCheckable(true);
  butStartStop_->hide();
  connect(butStartStop_, &QPushButton::clicked, this, [this](bool down) {
    if (down) {
      StopEndpoint();
      butStartStop_->setText("Остановлен");
    } else {
      StartEndpoint();
      butStartStop_->setText("Активен");
    }
  });
  connectionRow->addWidget(butIP_);
  connectionRow->addWidget(butStartStop_);

  auto* userHelp = new QWidget(top);
  userHelp->setObjectName("PanTopButs");
  auto* readWrite = new QWidget(top);
  readWrite->setObjectName("PanButsRW");
  auto* rwRow = new QHBoxLayout(readWrite);
  labRWstat_ = new QLabel(readWrite);
  labRWstat_->setObjectName("LabRWstat");
  rwRow->addWidget(labRWstat_);
  readWrite->hide();  // shown once a block is open

  row->addWidget(connection);
  row->addWidget(userHelp);
  row->addWidget(readWrite, 1);
  parent->layout()->addWidget(top);
}

void MainWindow::buildBody(QWidget* parent) {
  bottomSplitter_ = new QSplitter(Qt::Vertical, parent);
  bottomSplitter_->setObjectName("SplitterBot");

  auto* body = new QWidget(bottomSplitter_);
  body->setObjectName("PanBody");
  auto* column = new QVBoxLayout(body);
  testSender_ = new TestSender(body);
  testSender_->hide();
  connect(testSender_, &TestSender::sendRequested, this, [this](const QByteArray& bytes) {
    link_->send.SendDatagram(Bytes(bytes.begin(), bytes.end()));
  });
  labAns_ = new QLabel(body);
  labAns_->setObjectName("LabAns");
  labAns_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(testSender_, 0, Qt::AlignLeft);
  column->addStretch(1);
  column->addWidget(labAns_);

  memo_ = new TraceMemo(bottomSplitter_);
  bottomSplitter_->addWidget(body);
  bottomSplitter_->addWidget(memo_);
  bottomSplitter_->setStretchFactor(0, 1);
  bottomSplitter_->setStretchFactor(1, 0);
  parent->layout()->addWidget(bottomSplitter_);
}

void MainWindow::StartUp() {
  link_->trace.setDebug(false);
  link_->queue.clear();
  counter_.reset();
  // Built-in defaults survive only when the settings file cannot be read.
  link_->settings = LinkSettings{};
  RefreshClock();
  if (!options_.settingsPath.isEmpty()) {
    LoadLinkSettings(options_.settingsPath.toStdString(), link_->settings, link_->trace);
  }
  bottomSplitter_->setSizes({height(), 1});
  StartEndpoint();
  timerRecv_.start();
  timerCommon_.start();
}

void MainWindow::StartEndpoint() {
  const std::uint16_t first = link_->settings.serverPort;
  const std::uint16_t port = endpoint_->start(first);
  if (port == 0) {
    status_->setPanel(2, QString("UDP:%1 занят").arg(first));
    dialogs_->warning(this, QString("Порты заняты %1..%2").arg(first).arg(first + UdpEndpoint::kPortsTried - 1));
  } else {
    link_->settings.serverPort = port;
    status_->setPanel(2, QString("UDP:%1->%2").arg(port).arg(kDevicePort));
    if (port != first) {
      dialogs_->warning(this, QString("Настроенный порт занят, старт программы на порту: %1").arg(port));
    }
  }
  butIP_->setText(Q(link_->settings.peerIp));
}

void MainWindow::StopEndpoint() {
  endpoint_->stop();
  status_->setPanel(2, "UDP сервер остановлен");
}

void MainWindow::RefreshClock() {
  link_->trace.RefreshClock();
  if (status_ == nullptr) return;
  status_->setPanel(3, Q(link_->ClockPanelText()));
  status_->setPanel(1, Q(link_->TrafficPanelText()));
}

void MainWindow::onDatagrams() {
  // Queue now, dispatch later: a drain is posted to run right after this
  // event returns, so answers are not held back until the next 150 ms tick.
  endpoint_->readPending([this](const QByteArray& data, const QString& ip, quint16 port) {
    link_->Receive(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()),
                   ip.toStdString(), port);
    // Leave the rest in the socket until the queue has room again.
    return link_->queue.count() < ReceiveQueue::kSlots;
  });
  if (!drainScheduled_) {
    drainScheduled_ = true;
    QTimer::singleShot(0, this, &MainWindow::drainQueue);
  }
}

void MainWindow::drainQueue() {
  drainScheduled_ = false;
  link_->Drain();
  if (endpoint_->hasPending()) onDatagrams();
}

void MainWindow::onCommonTick() {
  if (counter_.Tick()) RefreshClock();
}

void MainWindow::showCommandStatus() {
  labRWstat_->setText(Q(link_->status.text()));
  labRWstat_->setStyleSheet(ColourCss(link_->status.colour()));
}

void MainWindow::setDebugMode(bool on) {
  link_->trace.setDebug(on);
  if (on) link_->trace.Trace("Debug on", 0);
  testSender_->setVisible(on);
  butStartStop_->setVisible(on);
  const int total = bottomSplitter_->height();
  bottomSplitter_->setSizes({total - (on ? kDebugMemoHeight : 1), on ? kDebugMemoHeight : 1});
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == butIP_ && event->type() == QEvent::MouseButtonPress) {
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
  QMainWindow::closeEvent(event);
}

}  // namespace varnel::ui
