// The device tree side of the main window: building it, clicks, the context
// menu, and what discovery asks the views to do.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

#include "network/navigation.h"
#include "ui/boards/modem/channel_page.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/boards/termination/termination_panel.h"
#include "ui/main_window/block_params_panel.h"
#include "ui/main_window/board_column.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/status_panels.h"
#include "ui/main_window/test_sender.h"
#include "ui/main_window/top_bar.h"
#include "ui/tree/view.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"
#include "wire/cp1251.h"

namespace varnel::ui {

void MainWindow::BuildTree() {
  tree_->Rebuild(BuildDeviceTree(link().registry), link().request.currentDevice, link().request.currentChannel);
}

void MainWindow::BuildTreeMenu() {
  treeMenu_ = Named(new QMenu(tree_), "ContMenu");
  explorCh_ = treeMenu_->addAction("", this, &MainWindow::ExploreCurrent);
  explorCh_->setObjectName("ExplorCh");
  for (int c = 1; c <= 3; ++c) {
    QAction* item = treeMenu_->addAction("", this, [this, c] { ToggleChannel(c); });
    item->setObjectName(QString("MenuShowCh%1").arg(c));
    menuShowCh_[static_cast<std::size_t>(c - 1)] = item;
  }
  menuDelDev_ = treeMenu_->addAction("Удалить устройство", this, &MainWindow::DeleteCurrentDevice);
  menuDelDev_->setObjectName("MenuDelDev");
}

void MainWindow::DevTreeClick(int device, int channel) {
  RequestState& request = link().request;
  SelectNode(request, link().registry.inUse(device) ? device : 0, channel);
  const int d = request.currentDevice;
  const QTreeWidgetItem* item = tree_->itemFor(d, request.currentChannel);
  status_->setPanel(0, Q(DevicePanelText(d, item != nullptr ? item->text(0).toStdString() : "")));
  testSender_->setRouteText(Q(OpenBlockRouteText(link().registry, d)));

  panDevPar_->hide();
  topBar_->panButsRW->hide();
  boards_->selectBlock();
  request.selectedSlot = 0;
  pages_->ShowSlot(0);
  pages_->modem->config->Forget();

  butExplor_->setVisible(d != 0);
  if (d == 0) {
    panelDev_->clear();
    return;
  }
  panelDev_->setText(Q(PanelDevText(link().registry, d, request.currentChannel)));
  butExplor_->setText(Q(ExploreCaption(link().registry, d, request.currentChannel)));
  if (request.currentChannel == 0) ExploreCurrent();
}

void MainWindow::ExploreCurrent() {
  const RequestState& request = link().request;
  if (!link().registry.inUse(request.currentDevice)) return;
  if (request.currentChannel == 0) {
    panelDev_->setText(Q(OpenBlock(link(), request.currentDevice)));
    // Quietly: the page change would read the attributes at once and take
    // over the open-block answer awaited.
    const QSignalBlocker quiet(pages_->blockParams->tabs);
    pages_->blockParams->tabs->setCurrentIndex(0);
    RefreshClock();
  } else {
    panelDev_->setText(Q(RefreshChannel(link(), request.currentDevice, request.currentChannel)));
  }
}

void MainWindow::ShowTreeMenu(const QPoint& pos, int device, int channel) {
  if (!link().registry.inUse(device)) return;
  const TStructDev& dev = link().registry.device(device);
  const bool deviceNode = channel == 0;
  explorCh_->setText(deviceNode ? QString("Открыть блок %1").arg(device) : QString("Обновить"));
  for (int c = 1; c <= 3; ++c) {
    QAction* item = menuShowCh_[static_cast<std::size_t>(c - 1)];
    item->setVisible(deviceNode);
    item->setText(QString(dev.channels[c - 1].show ? "Скрыть канал %1" : "Показать канал %1").arg(c));
    item->setEnabled(c != dev.upConn);
  }
  menuDelDev_->setVisible(deviceNode);
  treeMenu_->popup(tree_->mapToGlobal(pos + QPoint(8, 32)));
}

void MainWindow::ToggleChannel(int channel) {
  const int d = link().request.currentDevice;
  if (!link().registry.inUse(d)) return;
  auto& entry = link().registry.device(d).channels[static_cast<std::size_t>(channel - 1)];
  entry.show = !entry.show;
  BuildTree();
}

void MainWindow::DeleteCurrentDevice() {
  const int d = link().request.currentDevice;
  link().request.openDevice = 0;
  if (!link().registry.inUse(d)) return;
  std::vector<int> dependants;
  const std::string question = DeleteQuestion(link().registry, d, dependants);
  if (!dialogs_->confirm(this, Display(question))) return;
  DeleteDevice(link(), d);
  BuildTree();
  DevTreeClick(0, 0);
}

void MainWindow::DeviceAdded(int) { BuildTree(); }

void MainWindow::DeviceNameKnown(int device) {
  const TStructDev& dev = link().registry.device(device);
  if (QTreeWidgetItem* item = tree_->itemFor(device, 0)) item->setText(0, Q(dev.name));
  if (device != 1 || dev.name.empty() || Q(dev.name) == topBar_->butIP->text()) return;
  topBar_->butIP->setText(Q(dev.name));
  AppSettings& s = program_->settings;
  for (int n = 1; n <= s.numIps; ++n) {
    if (s.ips[static_cast<std::size_t>(n - 1)] == link().settings.peerIp) {
      s.ipNames[static_cast<std::size_t>(n - 1)] = Utf8Left(dev.name, kIpNameChars);
    }
  }
}

void MainWindow::BlockOpened(int device) {
  RequestState& request = link().request;
  const TStructDev& dev = link().registry.device(device);
  link().status.Set(link().trace.stamp() +
                        (request.requestMode == kReadRequest ? " Атрибуты прочитаны" : " Атрибуты записаны"),
                    kColourGreen);
  pages_->blockParams->ShowAttributes(Q(dev.name), dev.id);
  // The board views start over: nothing of the new block has been read.
  pages_->modem->channels->Reset();
  pages_->termination->Reset();
  if (request.expectedCode == 1) {
    panDevPar_->show();
    topBar_->panButsRW->show();
    panelDev_->setText(Q(link().registry.DevicePathText(link().request.currentDevice)));
    pages_->blockParams->ClearNetworkFields();
    pages_->tabsSL->setCurrentIndex(0);
  }
  request.openDevice = 0;
  request.expectedCode = 0;
}

}  // namespace varnel::ui
