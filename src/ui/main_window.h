#pragma once
// TFmain: the main window. It owns the core link and the UDP endpoint, runs
// the two timers of the main loop, and draws what the core records.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "network/poll_counter.h"
#include "transport/link.h"

class QLabel;
class QPushButton;
class QSplitter;

namespace varnel::ui {

class Dialogs;
class StatusPanels;
class TestSender;
class TraceMemo;
class UdpEndpoint;

struct MainWindowOptions {
  QString settingsPath;          // the INI beside the program
  const Clock* clock = nullptr;  // system clock when null
  Dialogs* dialogs = nullptr;    // real message boxes when null
  int recvIntervalMs = 150;
  int commonIntervalMs = 100;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  Link& link() { return *link_; }
  UdpEndpoint& endpoint() { return *endpoint_; }
  bool debugMode() const { return link_->trace.debug(); }
  void setDebugMode(bool on);

  void StartEndpoint();
  void StopEndpoint();
  // Status bar clock and board counters.
  void RefreshClock();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildTopBar(QWidget* parent);
  void buildBody(QWidget* parent);
  void StartUp();
  void onDatagrams();
  void drainQueue();
  void onCommonTick();
  void showCommandStatus();

  MainWindowOptions options_;
  std::unique_ptr<Clock> ownClock_;
  std::unique_ptr<Dialogs> ownDialogs_;
  Dialogs* dialogs_ = nullptr;
  AnswerHandlers handlers_;
  UdpEndpoint* endpoint_ = nullptr;
  std::unique_ptr<Link> link_;
  PollCounter counter_;

  QPushButton* butIP_ = nullptr;
  QPushButton* butStartStop_ = nullptr;
  QLabel* labRWstat_ = nullptr;
  QLabel* labAns_ = nullptr;
  TestSender* testSender_ = nullptr;
  TraceMemo* memo_ = nullptr;
  QSplitter* bottomSplitter_ = nullptr;
  StatusPanels* status_ = nullptr;
  QTimer timerRecv_;
  QTimer timerCommon_;
  bool drainScheduled_ = false;
};

}  // namespace varnel::ui
