// The block side of the main window: the block's own settings shown from its
// answer, and the peer button's address menu that chooses the root block.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "netsettings/address_list.h"
#include "ui/main_window/block_params_panel.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/top_bar.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

static_assert(kAddressEntries == kMaxIpEntries, "the menu shows the settings' address list");

namespace {
AddressList ListOf(AppSettings& s) { return {s.numIps, s.ips, s.ipNames}; }
}  // namespace

void MainWindow::ShowNetworkSettings(int, const NetworkSettings& settings) {
  pages_->blockParams->ShowNetworkSettings(settings);
}

void MainWindow::PopMenuIPPopup() {
  const auto items = AddressMenuItems(ListOf(program_->settings), link().settings.peerIp);
  topBar_->ipItems[0]->setText(kNewAddressCaption);
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* action = topBar_->ipItems[i + 1];
    action->setVisible(items[i].visible);
    action->setChecked(items[i].checked);
    action->setText(Q(items[i].caption));
  }
}

void MainWindow::MenuNewIPClick(int item) {
  AppSettings& s = program_->settings;
  std::string address;
  if (item == 0) {
    QString typed = Q(link().settings.peerIp);
    if (!dialogs_->inputText(this, kAddressDialogTitle, kAddressDialogPrompt, typed)) return;
    if (!AddAddressFirst(ListOf(s), typed.toStdString())) {
      dialogs_->warning(this, kAddressInvalid);
      return;
    }
    address = s.ips[0];
  } else {
    if (item > s.numIps || item > kAddressEntries) return;
    address = s.ips[static_cast<std::size_t>(item - 1)];
  }
  topBar_->butIP->setText(Q(address));
  program_->SwitchRoot(address);
  BuildTree();
  DevTreeClick(0, 0);
}

}  // namespace varnel::ui
