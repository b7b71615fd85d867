// The board side of the main window: choosing a board, the request hub's
// buttons, and redrawing a board's page from its records.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/block_settings_link.h"
#include "boards/modem/modem_view.h"
#include "boards/request_hub.h"
#include "ui/access/access_guard.h"
#include "ui/boards/amplifier/amplifier_panel.h"
#include "ui/boards/modem/channel_page.h"
#include "ui/boards/modem/config_page.h"
#include "ui/boards/modem/log_page.h"
#include "ui/boards/modem/modem_panel.h"
#include "ui/boards/termination/config_window.h"
#include "ui/boards/termination/termination_panel.h"
#include "ui/main_window/block_params_panel.h"
#include "ui/main_window/board_column.h"
#include "ui/main_window/board_pages.h"
#include "ui/main_window/dialogs.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/top_bar.h"
#include "ui/widgets/indicator.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/trace_memo.h"

namespace varnel::ui {

namespace {

ModemPage CoreModemPage(ModemPanel::Page page) {
  switch (page) {
    case ModemPanel::kDump: return ModemPage::Dump;
    case ModemPanel::kConfig: return ModemPage::Config;
    case ModemPanel::kChannels: return ModemPage::Channels;
    case ModemPanel::kLog: return ModemPage::Log;
    case ModemPanel::kFirmware: break;
  }
  return ModemPage::Firmware;
}

}  // namespace

void MainWindow::ConnectBoardControls() {
  ConnectLogControls();
  ConnectModemFirmwareControls();
  connect(boards_, &BoardColumn::selectionChanged, this, &MainWindow::ButBrdClick);
  connect(pages_->modem, &ModemPanel::pageChanged, this, [this] { RefreshBoardPage(PageSender::Modem); });
  connect(pages_->tabsSL, &QTabWidget::currentChanged, this, [this] { RefreshBoardPage(PageSender::Termination); });
  connect(pages_->blockParams->tabs, &QTabWidget::currentChanged, this,
          [this] { RefreshBoardPage(PageSender::BlockPages); });
  connect(topBar_->butRD, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButRD); });
  connect(topBar_->butWR, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButWR); });
  connect(pages_->modem->readVersion, &QPushButton::clicked, this, [this] { ButRDClick(RequestSender::ButRD); });

  ModemChannelPage* ch = pages_->modem->channels;
  const RequestSender resets[] = {RequestSender::ButCRC1, RequestSender::ButCRC2, RequestSender::ButCRC3};
  for (int c = 1; c <= 3; ++c) {
    connect(ch->columns[static_cast<std::size_t>(c - 1)].reset, &QPushButton::clicked, this,
            [this, s = resets[c - 1]] { ButLoopSetClick(s); });
  }
  connect(ch->butCRCall, &QPushButton::clicked, this, [this] { ButLoopSetClick(RequestSender::ButCRCall); });
  const RequestSender loops[] = {RequestSender::MenuDFreset, RequestSender::MenuDFset1, RequestSender::MenuDFset2,
                                 RequestSender::MenuDFset3};
  for (std::size_t i = 0; i < ch->menuDF.size(); ++i) {
    connect(ch->menuDF[i], &QAction::triggered, this, [this, s = loops[i]] { ButLoopSetClick(s); });
  }
  connect(ch, &ModemChannelPage::showBoxClicked, this, &MainWindow::ChannelShowBoxClick);

  TerminationPanel* sl = pages_->termination;
  connect(sl->clear, &QPushButton::clicked, this, [this] { ButLoopSetClick(RequestSender::ButWR); });
  connect(sl->loop, &QPushButton::clicked, this, [this] {
    const RequestState& r = link().request;
    if (link().registry.inUse(r.currentDevice)) link().send.SendBoardCommand(r.currentDevice, r.selectedSlot, {0x07, 0x55});
  });
  connect(sl->configure, &QPushButton::clicked, this, [this] { OpenTerminationWindow(ConfigWindowMode::Configuration); });
  connect(sl->firmware, &QPushButton::clicked, this, [this] { OpenTerminationWindow(ConfigWindowMode::Firmware); });
}

void MainWindow::OpenTerminationWindow(ConfigWindowMode mode) {
  const RequestState& r = link().request;
  if (r.selectedSlot == 0 || !link().registry.inUse(r.currentDevice)) return;
  TBRDS& board = link().registry.device(r.currentDevice).board(r.selectedSlot);
  board.Flags8 = 0;  // a write needs a read made since opening
  terminationRead_.reset();
  auto* window = new TerminationConfigWindow(mode, board, this);
  window->setAttribute(Qt::WA_DeleteOnClose);  // the module rows go with it
  guard_->Apply(window);
  connect(window, &TerminationConfigWindow::restartRequested, window, [this, window] { SendRestart(window); });
  if (mode == ConfigWindowMode::Configuration) {
    // Queued: the read runs its own modal window, not from inside the show;
    // a window closed before then takes the call with it.
    connect(window, &TerminationConfigWindow::readRequested, window, [this, window] { ReadTerminationConfig(window); },
            Qt::QueuedConnection);
    connect(window, &TerminationConfigWindow::writeRequested, window, [this, window] { WriteTerminationConfig(window); });
  } else {
    CheckTerminationUpdate(window);
    connect(window->findChild<QPushButton*>("ButOpenFileFW"), &QPushButton::clicked, window,
            [this, window] { ChooseTerminationUpdate(window); });
    connect(window, &TerminationConfigWindow::writeRequested, window, [this, window] { StartTerminationUpdate(window); });
  }
  window->show();  // modal, without blocking the caller
}

void MainWindow::ButBrdClick(int slot) {
  link().request.selectedSlot = slot;
  // What the editors hold belongs to the board shown before.
  pages_->modem->config->Forget();
  pages_->ShowSlot(slot);
  RefreshBoardPage(PageSender::Block);
}

void MainWindow::RefreshBoardPage(PageSender sender) {
  const RequestState& r = link().request;
  link().status.Set("Считайте параметры", kColourMaroon);
  const int slot = r.selectedSlot;
  const ModemPanel::Page page = pages_->modem->page();
  const bool noWrite = (slot == 4 && page != ModemPanel::kConfig) || (slot >= 1 && slot <= 3);
  topBar_->butWR->setVisible(!noWrite);
  UpdateAutoReadBox();
  OpenBoardPage(r.currentDevice, slot);
  // Choosing a board or a page reads it at once, except the memory dump.
  const bool read = sender == PageSender::Termination || (sender == PageSender::Modem && page != ModemPanel::kDump) ||
                    sender == PageSender::BlockPages || (sender == PageSender::Block && slot != 0);
  if (read) ButRDClick(RequestSender::ButRD);
}

void MainWindow::OpenBoardPage(int device, int slot) {
  const RequestState& r = link().request;
  if (device != r.currentDevice || slot != r.selectedSlot) return;
  const bool known = link().registry.inUse(device);
  const bool open = slot == 0 || (known && link().registry.device(device).board(slot).Valid != 0);
  QPushButton* read = topBar_->butRD;
  if (open) {
    read->setText("Чтение");
    read->setFont(topBar_->butWR->font());
    read->setStyleSheet({});
    read->setMinimumSize(0, 0);
  } else {
    read->setText("Открыть плату ");
    QFont font = topBar_->butWR->font();
    font.setPointSize(12);
    read->setFont(font);
    read->setStyleSheet(ColourCss(0xFF0000));
    read->setMinimumSize(190, std::max(0, topBar_->panButsRW->height() - 16));
    // The next read fetches the board's identification.
    const QSignalBlocker quiet(pages_->tabsSL);
    pages_->tabsSL->setCurrentIndex(0);
    pages_->modem->showPageQuietly(ModemPanel::kFirmware);
  }
  if (known) {
    TStructDev& dev = link().registry.device(device);
    if (slot == kModemSlot) ShowVK(device, slot);
    if (slot >= 1 && slot <= 3) {
      link().trace.Trace("    Show SL " + std::to_string(slot), 0);
      pages_->termination->ShowBoardInfo(dev.board(slot));
    }
    if (slot == 6 || slot == 8) {
      link().trace.Trace("    Show AP " + std::to_string(slot), 0);
      pages_->amplifier->Show(dev.board(slot));
    }
  }
  UpdateAutoReadBox();
}

void MainWindow::ShowVK(int device, int slot) {
  link().trace.Trace("    Show VK " + std::to_string(slot), 0);
  TStructDev& dev = link().registry.device(device);
  const TBRDS& board = dev.board(slot);
  ModemPanel* modem = pages_->modem;
  modem->tabs->setVisible(board.Valid == 1);
  if (modem->page() == ModemPanel::kConfig) {
    modem->config->Show(dev, device, board.Ver1);
    modem->config->MarkNotRefreshed(ConfigNotRefreshed(link().request.awaited, device));
  }
  modem->version->setText(Q(VersionLabelText(board.Ver1, board.Ver2)));
  modem->channels->Show(board, ChannelsNotRefreshed(link().request.awaited, device));
  if (modem->page() == ModemPanel::kLog) modem->log->Show(board, debugMode());
}

void MainWindow::ChannelShowBoxClick() {
  const RequestState& r = link().request;
  if (r.selectedSlot == 0 || !link().registry.inUse(r.currentDevice)) return;
  TBRDS& board = link().registry.device(r.currentDevice).board(r.selectedSlot);
  ModemChannelPage* page = pages_->modem->channels;
  for (int c = 1; c <= 3; ++c) {
    auto& col = page->columns[static_cast<std::size_t>(c - 1)];
    const bool shown = page->channelShown(c);
    for (QLabel* value : col.values) value->setVisible(shown);
    col.state->setVisible(shown);
    if (!shown) {
      board.Modules[static_cast<std::size_t>(c - 1)].Values[2] = 0;  // forget the channel kind
      col.ko->hide();
      col.reset->hide();
    }
  }
}

void MainWindow::ButRDClick(RequestSender sender) {
  const RequestState& r = link().request;
  if (r.currentDevice == 0) return;
  if (ModeOfSender(sender) == kWriteRequest && !dialogs_->confirm(this, "Подтвердите запись")) return;

  BoardRequestInput input;
  input.sender = sender;
  ModemPanel* modem = pages_->modem;
  input.modem.page = CoreModemPage(modem->page());
  for (int c = 1; c <= 3; ++c) input.modem.shownChannels[static_cast<std::size_t>(c - 1)] = modem->channels->channelShown(c);
  input.modem.editors = modem->config->Values();
  input.modem.dumpAddress = modem->dumpAddress->text().toStdString();
  input.modem.dumpLength = modem->dumpLength->text().toStdString();
  input.terminationPage = !pages_->tabsSL->isVisible() || pages_->tabsSL->currentIndex() == 0
                              ? TerminationPage::Settings
                              : TerminationPage::SubchannelState;
  input.amplifier = pages_->amplifier->Setting();
  input.modem.clockCorrection = modem->log->correction();

  BlockSettingsLink block(link(), pages_->blockParams->Form());
  const ClickResult result = varnel::ButRDClick(link(), input, RequestHooks{&block, &program().eventLogLink});
  if (r.selectedSlot == 0) pages_->blockParams->Apply(block.built());
  if (!result.error.empty()) {
    dialogs_->warning(this, Display(result.error));
    return;
  }
  if (!result.dumpLengthText.empty()) modem->dumpLength->setText(Q(result.dumpLengthText));
  if (result.redrawModemView && link().registry.inUse(r.currentDevice)) {
    ShowVK(r.currentDevice, kModemSlot);
  }
}

void MainWindow::ButLoopSetClick(RequestSender sender) {
  // No automatic read may go out under the confirmation and take over the
  // awaited answer; the period comes back from the field afterwards.
  scheduler_->setAutoReadPeriod(0);
  ButRDClick(sender);
  ApplyAutoReadPeriod();
}

void MainWindow::ApplyRateLimits() {
  const RequestState& r = link().request;
  if (!link().registry.inUse(r.currentDevice)) return;
  pages_->modem->config->SetVersion(link().registry.device(r.currentDevice).board(kModemSlot).Ver1);
}

void MainWindow::AppendMemoLine(std::string_view line) { memo_->appendLine(line); }

void MainWindow::ShowSubchannelState(int, int, const SubchannelState& state, const std::string& counters) {
  pages_->termination->ShowSubchannelState(state, counters);
}

void MainWindow::ShowAnalogLevel(const std::string& text) { pages_->termination->ShowAnalogLevel(text); }

void MainWindow::ShowLoopState(const std::string& caption) { pages_->termination->ShowLoopState(caption); }

}  // namespace varnel::ui
